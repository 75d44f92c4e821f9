// Fill styles: the .bmp readers against hostile and odd files, texture turns, colour tables and
// the background layer.
#include "tiles/fill_styles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/layers.h"
#include "platform/bitmap_file.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using plat::Bitmap;
using plat::RgbQuad;

// ---- building test pictures ----------------------------------------------------------------

// A bottom-up DIB whose pixel (x, y) holds value(x, y); indexed ones get a 256-entry table
// without black entries except where asked.
std::unique_ptr<Bitmap> MakeDib(int width, int height, int bits, std::uint32_t (*value)(int, int),
                                std::uint32_t compression = plat::kCompressionRgb,
                                std::vector<std::uint32_t> masks = {})
{
    plat::DibInfoHeader info;
    info.width = width;
    info.height = height;
    info.bitCount = static_cast<std::uint16_t>(bits);
    info.compression = compression;
    std::vector<RgbQuad> table;
    for (int i = 0; bits <= 8 && i < (1 << bits); ++i)
        table.push_back(RgbQuad{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), 40, 0});
    auto dib = plat::CreateDib(info, table, masks);
    for (int y = 0; dib && y < height; ++y)
        for (int x = 0; x < width; ++x)
            dib->setPixelValue(x, y, value(x, y));
    return dib;
}

std::uint32_t Distinct(int x, int y) { return static_cast<std::uint32_t>(0x10101 + x * 37 + y * 1009); }

// Values that fit the bit count, differ between neighbours and, for 4 and 8 bits, avoid index 0
// (where uncovered pixels of a turn land).
std::uint32_t ValueFor(int bits, int x, int y)
{
    std::uint32_t v = Distinct(x, y);
    if (bits == 4 || bits == 8)
        return v % ((1u << bits) - 1) + 1;
    return bits >= 24 ? v : v % (1u << bits);
}

template <int Bits>
std::uint32_t PatternOf(int x, int y)
{
    return ValueFor(Bits, x, y);
}

using ValueFn = std::uint32_t (*)(int, int);
ValueFn PatternFor(int bits)
{
    switch (bits) {
    case 1: return PatternOf<1>;
    case 4: return PatternOf<4>;
    case 8: return PatternOf<8>;
    case 16: return PatternOf<16>;
    case 24: return PatternOf<24>;
    default: return PatternOf<32>;
    }
}

bool SamePixels(const Bitmap& a, const Bitmap& b)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixelValue(x, y) != b.pixelValue(x, y))
                return false;
    return true;
}

std::unique_ptr<Bitmap> Mirrored(const Bitmap& source)
{
    auto copy = plat::CreateBitmapLike(source, source.width(), source.height());
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            copy->setPixelValue(source.width() - 1 - x, y, source.pixelValue(x, y));
    return copy;
}

// Colours equal up to tolerance per channel (decoders may widen 5- and 6-bit channels differently).
bool ColorsClose(plat::Color a, plat::Color b, int tolerance)
{
    return std::abs(plat::ColorRed(a) - plat::ColorRed(b)) <= tolerance &&
           std::abs(plat::ColorGreen(a) - plat::ColorGreen(b)) <= tolerance &&
           std::abs(plat::ColorBlue(a) - plat::ColorBlue(b)) <= tolerance;
}

// A small valid 8-bit file as bytes: 4 x 3 pixels, a table of `entries` colours, used count as given.
struct BmpFile {
    std::string bytes;
    void put32(std::size_t at, std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(v >> (8 * i));
    }
    void put16(std::size_t at, std::uint16_t v)
    {
        bytes[at] = static_cast<char>(v);
        bytes[at + 1] = static_cast<char>(v >> 8);
    }
};

BmpFile SmallFile(std::uint32_t entries = 256, std::uint32_t clrUsed = 0)
{
    BmpFile f;
    std::uint32_t offset = 54 + 4 * entries;
    f.bytes.assign(offset + 4 * 3, '\0');
    f.bytes[0] = 'B';
    f.bytes[1] = 'M';
    f.put32(2, static_cast<std::uint32_t>(f.bytes.size()));
    f.put32(10, offset);
    f.put32(14, 40);
    f.put32(18, 4);
    f.put32(22, 3);
    f.put16(26, 1);
    f.put16(28, 8);
    f.put32(46, clrUsed);
    for (std::uint32_t i = 0; i < entries; ++i) {
        f.bytes[54 + 4 * i] = static_cast<char>(200); // blue
        f.bytes[54 + 4 * i + 1] = static_cast<char>(i);
        f.bytes[54 + 4 * i + 2] = static_cast<char>(100);
    }
    for (std::size_t i = offset; i < f.bytes.size(); ++i)
        f.bytes[i] = static_cast<char>(i % 4); // indices 0..3 (the fourth byte is row padding)
    return f;
}

std::string SharedBmpSuite()
{
    return std::string(ZENTILES_SHARED_DIR) + "/testdata/bmpsuite";
}

std::vector<fs::path> SuiteFiles(const std::string& group)
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(SharedBmpSuite() + "/" + group))
        if (entry.path().extension() == ".bmp")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

#define SKIP_WITHOUT_BMPSUITE()                                                                   \
    if (!fs::is_directory(SharedBmpSuite()))                                                      \
    GTEST_SKIP() << "BMP test corpus not found at " << SharedBmpSuite() << "; reader tested only " \
                    "with generated files"

} // namespace

// ---- the program's own reader --------------------------------------------------------------

TEST(LoadBmpFile, RefusesShortAndInconsistentHeaders)
{
    testsupport::TempFolder temp;
    struct Case {
        const char* what;
        std::function<void(BmpFile&)> damage;
    };
    const Case cases[] = {
        {"no BM", [](BmpFile& f) { f.bytes[1] = 'A'; }},
        {"shorter than the file header", [](BmpFile& f) { f.bytes.resize(13); }},
        {"cut inside the colour table", [](BmpFile& f) { f.bytes.resize(54 + 100); }},
        {"pixel offset inside the information header", [](BmpFile& f) { f.put32(10, 40); }},
        {"pixel offset before the colour table ends", [](BmpFile& f) { f.put32(10, 54 + 4 * 255); }},
        {"pixel offset past the end", [](BmpFile& f) { f.put32(10, 5000); }},
        {"pixel offset huge", [](BmpFile& f) { f.put32(10, 0xFFFFFFF0u); }},
        {"colour count above 256", [](BmpFile& f) { f.put32(46, 257); }},
        {"colour count huge", [](BmpFile& f) { f.put32(46, 0x40000000u); }},
        {"width 0", [](BmpFile& f) { f.put32(18, 0); }},
        {"width negative", [](BmpFile& f) { f.put32(18, static_cast<std::uint32_t>(-4)); }},
        {"width above 8192", [](BmpFile& f) { f.put32(18, 8193); }},
        {"height 0", [](BmpFile& f) { f.put32(22, 0); }},
        {"height above 8192", [](BmpFile& f) { f.put32(22, 8193); }},
        {"height below -8192", [](BmpFile& f) { f.put32(22, static_cast<std::uint32_t>(-8193)); }},
        {"height INT_MIN", [](BmpFile& f) { f.put32(22, 0x80000000u); }},
        {"planes 2", [](BmpFile& f) { f.put16(26, 2); }},
        {"2 bits per pixel", [](BmpFile& f) { f.put16(28, 2); }},
        {"64 bits per pixel", [](BmpFile& f) { f.put16(28, 64); }},
        {"run-length compressed", [](BmpFile& f) { f.put32(30, 1); }},
        {"bit fields on 8 bits", [](BmpFile& f) { f.put32(30, 3); }},
        {"information header of 12 bytes", [](BmpFile& f) { f.put32(14, 12); }},
        {"information header of 64 bytes", [](BmpFile& f) { f.put32(14, 64); }},
        {"pixel rows one byte short", [](BmpFile& f) { f.bytes.pop_back(); }},
        {"taller than its pixel rows", [](BmpFile& f) { f.put32(22, 4); }},
    };
    ASSERT_NE(loadBmpFile(temp.write("good.bmp", SmallFile().bytes)), nullptr) << "the undamaged file";
    EXPECT_EQ(loadBmpFile(temp.file("missing.bmp")), nullptr);
    EXPECT_EQ(loadBmpFile(temp.folder()), nullptr) << "a folder";
    for (const Case& c : cases) {
        BmpFile f = SmallFile();
        c.damage(f);
        EXPECT_EQ(loadBmpFile(temp.write("bad.bmp", f.bytes)), nullptr) << c.what;
        EXPECT_EQ(plat::LoadBitmapFile(temp.file("bad.bmp")), nullptr) << c.what << " (platform loader)";
    }
}

TEST(LoadBmpFile, ReadsRowsTableAndStatedColourCount)
{
    testsupport::TempFolder temp;
    // Bottom row first in the file: display row 2 is the first stored row.
    BmpFile plain = SmallFile();
    plain.bytes[54 + 1024 + 0] = 7;  // stored row 0, column 0
    plain.bytes[54 + 1024 + 11] = 9; // stored row 2, column 3
    auto dib = loadBmpFile(temp.write("plain.bmp", plain.bytes));
    ASSERT_NE(dib, nullptr);
    EXPECT_EQ(dib->size(), (plat::Size{4, 3}));
    EXPECT_FALSE(dib->topDown());
    EXPECT_EQ(dib->pixelValue(0, 2), 7u);
    EXPECT_EQ(dib->pixelValue(3, 0), 9u);
    ASSERT_EQ(dib->colorTable().size(), 256u);
    EXPECT_EQ(dib->colorTable()[0], (RgbQuad{200, 0, 100, 0})) << "no stated count: entry 0 kept";
    EXPECT_EQ(dib->colorTable()[5], (RgbQuad{200, 5, 100, 0}));

    // A stated used-colour count makes entry 0 black whatever the file says.
    auto stated = loadBmpFile(temp.write("stated.bmp", SmallFile(16, 16).bytes));
    ASSERT_NE(stated, nullptr);
    ASSERT_EQ(stated->colorTable().size(), 16u);
    EXPECT_EQ(stated->colorTable()[0], (RgbQuad{0, 0, 0, 0}));
    EXPECT_EQ(stated->colorTable()[1], (RgbQuad{200, 1, 100, 0}));
    EXPECT_EQ(stated->valueToColor(0), plat::kBlack);

    // Extra bytes after the rows and a gap before them are both fine.
    BmpFile padded = SmallFile();
    padded.bytes += "trailing";
    EXPECT_NE(loadBmpFile(temp.write("trailing.bmp", padded.bytes)), nullptr);
}

TEST(LoadBmpFile, WrittenDibsComeBackUnchanged)
{
    testsupport::TempFolder temp;
    const std::vector<std::uint32_t> masks565 = {0xF800, 0x07E0, 0x001F};
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        for (plat::Size size : {plat::Size{1, 1}, plat::Size{13, 7}, plat::Size{32, 3}}) {
            SCOPED_TRACE(testing::Message() << bits << " bits, " << size.width << " x " << size.height);
            bool bitfields = bits == 16;
            auto dib = MakeDib(size.width, size.height, bits, PatternFor(bits),
                               bitfields ? plat::kCompressionBitfields : plat::kCompressionRgb,
                               bitfields ? masks565 : std::vector<std::uint32_t>{});
            ASSERT_NE(dib, nullptr);
            ASSERT_TRUE(plat::SaveBitmapFile(temp.file("round.bmp"), *dib));
            auto back = loadBmpFile(temp.file("round.bmp"));
            ASSERT_NE(back, nullptr);
            EXPECT_TRUE(SamePixels(*dib, *back));
            EXPECT_EQ(back->colorTable(), dib->colorTable());
            EXPECT_EQ(back->redMask(), dib->redMask());
            EXPECT_EQ(back->greenMask(), dib->greenMask());
            // The platform loader shows the same colours.
            auto screen = plat::LoadBitmapFile(temp.file("round.bmp"));
            ASSERT_NE(screen, nullptr);
            ASSERT_EQ(screen->size(), dib->size());
            for (int y = 0; y < size.height; ++y)
                for (int x = 0; x < size.width; ++x)
                    ASSERT_TRUE(ColorsClose(screen->valueToColor(screen->pixelValue(x, y)),
                                            dib->valueToColor(dib->pixelValue(x, y)), bits == 16 ? 8 : 0))
                        << x << "," << y;
        }
    }
}

// Suite files whose fate differs from their folder's: good files the readers cannot take, and
// "bad" files whose only fault is in a field the readers never use.
struct SuiteException {
    const char* name;
    bool ownReader;      // loadBmpFile
    bool platformLoader; // LoadBitmapFile
};
constexpr SuiteException kSuiteExceptions[] = {
    {"pal4rle.bmp", false, false},      // run-length rows
    {"pal8rle.bmp", false, false},      // run-length rows
    {"pal8os2.bmp", false, false},      // OS/2 header
    {"rgb32bf.bmp", true, false},       // channel masks SDL has no surface format for
    {"badbitssize.bmp", true, true},    // image size field wrong, never read
    {"baddens1.bmp", true, true},       // resolution, never read
    {"baddens2.bmp", true, true},       // resolution, never read
    {"badfilesize.bmp", true, true},    // file size field wrong, never read
    {"pal8badindex.bmp", true, false},  // indices past the table: black here, SDL refuses
    {"rgb16-880.bmp", true, false},     // a zero blue mask: no blue here, SDL refuses
};

// Expected outcome for a suite file: its folder's rule unless listed above.
std::pair<bool, bool> SuiteExpectation(const fs::path& file, bool good)
{
    for (const SuiteException& e : kSuiteExceptions)
        if (file.filename() == e.name)
            return {e.ownReader, e.platformLoader};
    return {good, good};
}

TEST(LoadBmpFile, BmpSuiteGoodFilesLoadBadOnesAreRefused)
{
    SKIP_WITHOUT_BMPSUITE();
    for (const char* group : {"g", "b"}) {
        for (const fs::path& file : SuiteFiles(group)) {
            std::string name = file.filename().string();
            auto [ownExpected, platformExpected] = SuiteExpectation(file, group[0] == 'g');
            auto dib = loadBmpFile(file.string());
            EXPECT_EQ(dib != nullptr, ownExpected) << name;
            auto screen = plat::LoadBitmapFile(file.string());
            EXPECT_EQ(screen != nullptr, platformExpected) << name << " (platform loader)";
            // Reading only a top-left block gives the same pixels there, and refuses the same files.
            auto block = plat::LoadBitmapBlock(file.string(), 17, 9);
            ASSERT_EQ(block != nullptr, screen != nullptr) << name << " (block)";
            if (block) {
                ASSERT_EQ(block->size(), (plat::Size{std::min(screen->width(), 17), std::min(screen->height(), 9)}));
                for (int y = 0; y < block->height(); ++y)
                    for (int x = 0; x < block->width(); ++x)
                        ASSERT_EQ(block->pixelValue(x, y), screen->pixelValue(x, y)) << name << " " << x << "," << y;
            }
            if (!dib || !screen)
                continue;
            EXPECT_EQ(dib->size(), screen->size()) << name;
            // Two independent decoders agree (16-bit channels may widen differently; a stated
            // colour count turns index 0 black in the game's reader only).
            int tolerance = dib->bitCount() == 16 ? 8 : 0;
            bool indexZeroBlack = dib->bitCount() <= 8 && dib->info().clrUsed != 0;
            int mismatches = 0;
            for (int y = 0; y < dib->height(); ++y)
                for (int x = 0; x < dib->width(); ++x) {
                    if (indexZeroBlack && dib->pixelValue(x, y) == 0)
                        continue;
                    mismatches += !ColorsClose(dib->valueToColor(dib->pixelValue(x, y)),
                                               screen->valueToColor(screen->pixelValue(x, y)), tolerance);
                }
            EXPECT_EQ(mismatches, 0) << name;
        }
    }
}

TEST(LoadBmpFile, BmpSuiteQuestionableFilesNeverBreakTheReaders)
{
    SKIP_WITHOUT_BMPSUITE();
    // Whatever each reader decides, what it loads must be whole and turnable (run under ASan).
    int loaded = 0;
    for (const fs::path& file : SuiteFiles("q")) {
        SCOPED_TRACE(file.filename().string());
        if (auto dib = loadBmpFile(file.string())) {
            ++loaded;
            EXPECT_EQ(dib->bits().size(), static_cast<std::size_t>(dib->stride()) * dib->height());
            std::unique_ptr<Bitmap> turns[8];
            if (prepareTextures(file.string(), turns, true)) {
                EXPECT_NE(turns[7], nullptr);
            }
        }
        if (auto screen = plat::LoadBitmapFile(file.string())) {
            EXPECT_EQ(screen->kind(), plat::BitmapKind::Screen);
        }
    }
    EXPECT_GT(loaded, 0) << "some questionable files are plain enough to read";
}

// ---- turning -------------------------------------------------------------------------------

TEST(RotateBitmap, QuarterTurnSwapsSidesPixelExactlyInEveryFormat)
{
    const std::vector<std::uint32_t> masks565 = {0xF800, 0x07E0, 0x001F};
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        for (plat::Size size : {plat::Size{5, 3}, plat::Size{1, 9}, plat::Size{88, 88}, plat::Size{33, 17}}) {
            SCOPED_TRACE(testing::Message() << bits << " bits, " << size.width << " x " << size.height);
            bool bitfields = bits == 16;
            // One bit cannot vary by column too: rows alternate, starting at 1 so that no pixel
            // of the top row looks like an uncovered one.
            ValueFn pattern = bits == 1 ? +[](int, int y) -> std::uint32_t { return (y + 1) % 2; }
                                        : PatternFor(bits);
            auto source = MakeDib(size.width, size.height, bits, pattern,
                                  bitfields ? plat::kCompressionBitfields : plat::kCompressionRgb,
                                  bitfields ? masks565 : std::vector<std::uint32_t>{});
            auto turned = rotateBitmap(*source, 90);
            ASSERT_NE(turned, nullptr);
            ASSERT_EQ(turned->size(), (plat::Size{size.height, size.width}));
            EXPECT_EQ(static_cast<int>(turned->info().sizeImage), turned->stride() * turned->height());
            // Counter-clockwise on screen: the top-right corner becomes the top-left one.
            // Single-precision cos 90 is -4.4e-8, not 0, so the turn is exact except that the
            // start of some rows (always the whole bottom row) shows the pixel one column over,
            // black in column 0: a one-pixel staircase the tile anchors are fitted to.
            int previousRun = 0; // the staircase widens towards the bottom
            for (int y = 0; y < turned->height(); ++y) {
                int sourceX = size.width - 1 - y;
                int run = 0; // shifted pixels form a run from the left edge
                for (int x = 0; x < turned->width(); ++x) {
                    std::uint32_t v = turned->pixelValue(x, y);
                    bool exact = v == source->pixelValue(sourceX, x);
                    // Uncovered pixels hold 0 here: black, or index 0 as the table has no black.
                    bool oneOver = x == 0 ? v == 0 : v == source->pixelValue(sourceX, x - 1);
                    ASSERT_TRUE(exact || oneOver) << x << "," << y;
                    ASSERT_TRUE(exact || run == x) << "staircase broken at " << x << "," << y;
                    if (run == x && !exact)
                        ++run;
                }
                EXPECT_GE(run, previousRun) << "row " << y;
                // The error grows with the row, so a picture at least twice as wide as tall
                // turns its top row exactly (exact arithmetic would shift every row).
                if (y == 0 && size.width >= 2 * size.height) {
                    EXPECT_EQ(run, 0) << "top row";
                }
                previousRun = run;
            }
            EXPECT_GE(previousRun, 1) << "the bottom row starts with the uncovered pixel";
            EXPECT_EQ(turned->colorTable(), source->colorTable());
            EXPECT_EQ(turned->redMask(), source->redMask());
            EXPECT_EQ(turned->blueMask(), source->blueMask());
        }
    }
}

TEST(RotateBitmap, EighthTurnLeavesBlackCornersAndKeepsTheCentre)
{
    for (int bits : {4, 8, 24, 32}) {
        SCOPED_TRACE(testing::Message() << bits << " bits");
        ValueFn uniform = bits <= 8 ? +[](int, int) -> std::uint32_t { return 5; }
                                    : +[](int, int) -> std::uint32_t { return 0x336699; };
        auto source = MakeDib(40, 40, bits, uniform);
        // Indexed pictures: make entry 9 the only black one, so the background must use it.
        if (bits <= 8)
            source->colorTable()[9] = RgbQuad{0, 0, 0, 0};
        auto turned = rotateBitmap(*source, 45);
        ASSERT_NE(turned, nullptr);
        EXPECT_NEAR(turned->width(), 40 * 1.41421, 2);
        EXPECT_NEAR(turned->height(), 40 * 1.41421, 2);
        int w = turned->width(), h = turned->height();
        for (plat::Point corner : {plat::Point{0, 0}, plat::Point{w - 1, 0}, plat::Point{0, h - 1},
                                   plat::Point{w - 1, h - 1}, plat::Point{3, 3}}) {
            EXPECT_EQ(turned->valueToColor(turned->pixelValue(corner.x, corner.y)), plat::kBlack)
                << corner.x << "," << corner.y;
            if (bits <= 8) {
                EXPECT_EQ(turned->pixelValue(corner.x, corner.y), 9u);
            }
        }
        EXPECT_EQ(turned->pixelValue(w / 2, h / 2), source->pixelValue(20, 20));
        EXPECT_EQ(turned->pixelValue(w / 2, 2), source->pixelValue(0, 0)) << "near the top vertex";
    }
}

TEST(RotateBitmap, RefusesWhatItCannotTurn)
{
    auto topDown = MakeDib(8, 8, 8, PatternOf<8>);
    plat::DibInfoHeader info = topDown->info();
    info.height = -8;
    auto stored = plat::CreateDib(info, topDown->colorTable());
    EXPECT_EQ(rotateBitmap(*stored, 90), nullptr) << "top-down rows";
    EXPECT_EQ(rotateBitmap(*plat::CreateScreenBitmap(8, 8), 90), nullptr) << "not a DIB";
    EXPECT_EQ(rotateBitmap(*plat::CreateMonoBitmap(8, 8), 90), nullptr) << "not a DIB";
    EXPECT_EQ(rotateBitmap(*MakeDib(1, 1, 8, PatternOf<8>), 45), nullptr) << "nothing left after turning";
}

// ---- the texture turns ---------------------------------------------------------------------

TEST(PrepareTextures, TurnsMirrorsAndHalfTurnsExactly)
{
    testsupport::TempFolder temp;
    const std::vector<std::uint32_t> masks565 = {0xF800, 0x07E0, 0x001F};
    struct Case {
        int bits;
        std::uint32_t compression;
    };
    for (Case c : {Case{8, plat::kCompressionRgb}, Case{16, plat::kCompressionBitfields},
                   Case{24, plat::kCompressionRgb}, Case{32, plat::kCompressionRgb}}) {
        SCOPED_TRACE(testing::Message() << c.bits << " bits");
        bool bitfields = c.compression == plat::kCompressionBitfields;
        auto texture = MakeDib(21, 13, c.bits, PatternFor(c.bits), c.compression,
                               bitfields ? masks565 : std::vector<std::uint32_t>{});
        std::string path = temp.file("texture.bmp");
        ASSERT_TRUE(plat::SaveBitmapFile(path, *texture));
        auto loaded = loadBmpFile(path);
        ASSERT_NE(loaded, nullptr);
        auto mirrored = Mirrored(*loaded);

        for (bool mirror : {false, true}) {
            std::unique_ptr<Bitmap> turns[8];
            ASSERT_TRUE(prepareTextures(path, turns, mirror));
            const Bitmap& base = mirror ? *mirrored : *loaded;
            EXPECT_TRUE(SamePixels(*turns[0], base));
            const int angles[2][3] = {{45, 90, 135}, {135, 90, 225}};
            for (int k = 1; k <= 3; ++k)
                EXPECT_TRUE(SamePixels(*turns[k], *rotateBitmap(base, angles[mirror][k - 1]))) << "turn " << k;
            for (int k = 4; k <= 7; ++k) {
                // A half turn of turn k - 4, pixel for pixel.
                const Bitmap& from = *turns[k - 4];
                ASSERT_EQ(turns[k]->size(), from.size());
                int wrong = 0;
                for (int y = 0; y < from.height(); ++y)
                    for (int x = 0; x < from.width(); ++x)
                        wrong += turns[k]->pixelValue(from.width() - 1 - x, from.height() - 1 - y) !=
                                 from.pixelValue(x, y);
                EXPECT_EQ(wrong, 0) << "turn " << k;
            }
            for (const auto& turn : turns) {
                EXPECT_EQ(turn->colorTable().empty(), c.bits > 8);
                EXPECT_EQ(turn->redMask(), loaded->redMask());
                EXPECT_EQ(turn->info().compression, c.compression);
            }
        }
    }
}

TEST(PrepareTextures, MirroredTurnOneIsTheMirrorTurnedBy135)
{
    testsupport::TempFolder temp;
    auto texture = MakeDib(30, 20, 24, PatternOf<24>);
    std::string path = temp.file("asym.bmp");
    ASSERT_TRUE(plat::SaveBitmapFile(path, *texture));
    std::unique_ptr<Bitmap> turns[8];
    ASSERT_TRUE(prepareTextures(path, turns, true));
    auto mirror = Mirrored(*loadBmpFile(path));
    EXPECT_TRUE(SamePixels(*turns[1], *rotateBitmap(*mirror, 135)));
    EXPECT_FALSE(SamePixels(*turns[1], *rotateBitmap(*mirror, 45)));
}

TEST(PrepareTextures, FailsKeepingWhatWasMade)
{
    testsupport::TempFolder temp;
    std::unique_ptr<Bitmap> turns[8];
    EXPECT_FALSE(prepareTextures(temp.file("none.bmp"), turns, false));
    EXPECT_EQ(turns[0], nullptr);

    // Top-down rows load but cannot be turned.
    BmpFile topDown = SmallFile();
    topDown.put32(22, static_cast<std::uint32_t>(-3));
    std::string path = temp.write("topdown.bmp", topDown.bytes);
    auto loaded = loadBmpFile(path);
    ASSERT_NE(loaded, nullptr);
    EXPECT_TRUE(loaded->topDown());
    for (bool mirror : {false, true}) {
        std::unique_ptr<Bitmap> kept[8];
        EXPECT_FALSE(prepareTextures(path, kept, mirror));
        EXPECT_NE(kept[0], nullptr);
        EXPECT_EQ(kept[1], nullptr);
    }

    // A texture larger than the turns take is turned from its top-left block, read alone.
    auto wide = MakeDib(kMaxTextureSide + 41, kMaxTextureSide + 3, 8, PatternOf<8>);
    std::string widePath = temp.file("wide.bmp");
    ASSERT_TRUE(plat::SaveBitmapFile(widePath, *wide));
    std::unique_ptr<Bitmap> block[8];
    ASSERT_TRUE(prepareTextures(widePath, block, false));
    ASSERT_EQ(block[0]->size(), (plat::Size{kMaxTextureSide, kMaxTextureSide}));
    for (int y = 0; y < kMaxTextureSide; ++y)
        for (int x = 0; x < kMaxTextureSide; ++x)
            ASSERT_EQ(block[0]->pixelValue(x, y), wide->pixelValue(x, y)) << x << "," << y;
    EXPECT_EQ(block[0]->colorTable(), wide->colorTable());
    std::filesystem::resize_file(widePath, std::filesystem::file_size(widePath) - 1);
    EXPECT_FALSE(prepareTextures(widePath, block, false)) << "a short file, though the block is whole";
}

// ---- colour tables -------------------------------------------------------------------------

TEST(ReadColorTable, ReadsIndexedTablesOnly)
{
    auto dib = MakeDib(4, 4, 8, PatternOf<8>);
    plat::DrawContext dc(dib.get());
    std::vector<RgbQuad> out(300, RgbQuad{1, 2, 3, 4});
    EXPECT_EQ(readColorTable(dc, 0, 300, out.data()), 256);
    EXPECT_EQ(out[17], dib->colorTable()[17]);
    EXPECT_EQ(out[256], (RgbQuad{1, 2, 3, 4})) << "nothing written past the table";
    EXPECT_EQ(readColorTable(dc, 0, 10, out.data()), 10);
    EXPECT_EQ(readColorTable(dc, 5, 10, out.data()), 5) << "entries 5..9";
    EXPECT_EQ(out[0], dib->colorTable()[5]);
    EXPECT_EQ(readColorTable(dc, 0, 10, nullptr), 0);

    // A stated used-colour count bounds the table.
    plat::DibInfoHeader info = dib->info();
    info.clrUsed = 3;
    auto few = plat::CreateDib(info, std::vector<RgbQuad>(dib->colorTable().begin(), dib->colorTable().begin() + 3));
    plat::DrawContext fewDc(few.get());
    EXPECT_EQ(readColorTable(fewDc, 0, 300, out.data()), 3);

    auto direct = MakeDib(4, 4, 24, PatternOf<24>);
    auto screen = plat::CreateScreenBitmap(4, 4);
    auto mono = plat::CreateMonoBitmap(4, 4);
    for (Bitmap* b : {direct.get(), screen.get(), mono.get()}) {
        plat::DrawContext other(b);
        EXPECT_EQ(readColorTable(other, 0, 300, out.data()), 0);
    }
    EXPECT_EQ(readColorTable(plat::DrawContext(), 0, 300, out.data()), 0) << "stock bitmap";
}

// ---- the background layer ------------------------------------------------------------------

class BackgroundTest : public testing::Test {
protected:
    void SetUp() override { CreateDrawingLayers(); }
    void TearDown() override { DestroyDrawingLayers(); }
    plat::Color at(int x, int y) const { return plat::GetPixel(BackgroundLayer.dc, x, y); }
};

TEST_F(BackgroundTest, ColourFillsInsideABlackOutlineAndKeepsTheBrush)
{
    const plat::Color teal = plat::MakeColor(10, 160, 170);
    fillBackgroundColor(teal);
    EXPECT_EQ(BackgroundLayer.dc.brush.color, teal);
    for (plat::Point p : {plat::Point{1, 1}, plat::Point{120, 140}, plat::Point{238, 278}})
        EXPECT_EQ(at(p.x, p.y), teal) << p.x << "," << p.y;
    for (plat::Point p : {plat::Point{0, 0}, plat::Point{239, 5}, plat::Point{5, 279}, plat::Point{239, 279}})
        EXPECT_EQ(at(p.x, p.y), plat::kBlack) << p.x << "," << p.y << " is the pen's outline";
}

TEST_F(BackgroundTest, PictureShowsItsTopLeftAndBlackWhereItIsMissing)
{
    testsupport::TempFolder temp;
    fillBackgroundColor(plat::kWhite);
    loadBackgroundPicture(temp.file("missing.bmp"));
    EXPECT_EQ(at(120, 140), plat::kBlack);

    auto big = MakeDib(300, 300, 24, PatternOf<24>);
    ASSERT_TRUE(plat::SaveBitmapFile(temp.file("big.bmp"), *big));
    loadBackgroundPicture(temp.file("big.bmp"));
    for (plat::Point p : {plat::Point{0, 0}, plat::Point{239, 279}, plat::Point{100, 7}})
        EXPECT_EQ(at(p.x, p.y), big->valueToColor(big->pixelValue(p.x, p.y)));

    fillBackgroundColor(plat::kWhite);
    auto small = MakeDib(50, 60, 8, PatternOf<8>);
    ASSERT_TRUE(plat::SaveBitmapFile(temp.file("small.bmp"), *small));
    loadBackgroundPicture(temp.file("small.bmp"));
    EXPECT_EQ(at(49, 59), small->valueToColor(small->pixelValue(49, 59)));
    EXPECT_EQ(at(50, 10), plat::kBlack);
    EXPECT_EQ(at(10, 60), plat::kBlack);
}

// ---- the shipped files ---------------------------------------------------------------------

TEST(ShippedAssets, TexturesTurnAndPicturesCoverTheBoard)
{
    const std::string assets = std::string(ZENTILES_SOURCE_DIR) + "/assets/";
    int textures = 0, pictures = 0;
    for (const auto& entry : fs::directory_iterator(assets + "Textures")) {
        SCOPED_TRACE(entry.path().filename().string());
        std::unique_ptr<Bitmap> turns[8];
        EXPECT_TRUE(prepareTextures(entry.path().string(), turns, false));
        // The tile anchors reach 88 x 88 pixels into every even turn.
        EXPECT_GE(turns[0]->width(), 88);
        EXPECT_GE(turns[0]->height(), 88);
        ++textures;
    }
    for (const auto& entry : fs::directory_iterator(assets + "Bitmaps")) {
        SCOPED_TRACE(entry.path().filename().string());
        auto picture = plat::LoadBitmapFile(entry.path().string());
        ASSERT_NE(picture, nullptr);
        EXPECT_GE(picture->width(), kLayerWidth);
        EXPECT_GE(picture->height(), kLayerHeight);
        ++pictures;
    }
    EXPECT_GE(textures, 2);
    EXPECT_GE(pictures, 2);
}
