// Fill styles: background colour or picture, the texture reader, and textures turned by 45k degrees.
#include "tiles/fill_styles.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

#include "app/layers.h"
#include "platform/bitmap_file.h"
#include "platform/pixel_format.h"

namespace {

// Angles of turns 1..3; turns 4..7 are these plus a half turn.
constexpr int kTurnAngles[3] = {45, 90, 135};
constexpr int kMirroredTurnAngles[3] = {135, 90, 225};

// Colour-table entries an indexed DIB states: its used count, else all its bits can index.
int StatedColorCount(const plat::DibInfoHeader& info, int bitCount)
{
    if (info.clrUsed != 0)
        return info.clrUsed > 0x7FFFFFFFu ? 0x7FFFFFFF : static_cast<int>(info.clrUsed);
    return bitCount < 32 ? (1 << std::min(bitCount, 30)) : 0;
}

// readColorTable on a bitmap: the table is read directly, entries the DIB lacks read as black.
int ReadTable(const plat::Bitmap& bitmap, int firstIndex, int maxCount, plat::RgbQuad* out)
{
    if (!out || bitmap.kind() != plat::BitmapKind::Dib || bitmap.bitCount() > 8)
        return 0;
    int n = std::min({StatedColorCount(bitmap.info(), bitmap.bitCount()), maxCount, 256});
    const std::vector<plat::RgbQuad>& table = bitmap.colorTable();
    int written = 0;
    for (int i = std::max(firstIndex, 0); i < n; ++i) {
        plat::RgbQuad q = static_cast<std::size_t>(i) < table.size() ? table[static_cast<std::size_t>(i)]
                                                                      : plat::RgbQuad{};
        q.reserved = 0;
        out[written++] = q;
    }
    return written;
}

// One row of `count` pixels of N bytes each, written in the opposite order.
template <std::size_t N>
void ReverseRow(std::uint8_t* to, const std::uint8_t* from, int count)
{
    to += N * static_cast<std::size_t>(count);
    for (int i = 0; i < count; ++i, from += N) {
        to -= N;
        std::memcpy(to, from, N);
    }
}

// An exact copy turned over left to right and/or top to bottom; null if it cannot be made.
std::unique_ptr<plat::Bitmap> FlippedCopy(const plat::Bitmap& source, bool horizontal, bool vertical)
{
    std::unique_ptr<plat::Bitmap> copy = plat::CreateBitmapLike(source, source.width(), source.height());
    if (!copy)
        return nullptr;
    const int w = source.width(), h = source.height();
    if (source.bitCount() % 8 == 0) {
        // Whole-byte pixels move as bytes: the turned textures are made on every appearance change.
        const auto size = static_cast<std::size_t>(source.bitCount() / 8);
        const auto rowBytes = size * static_cast<std::size_t>(w);
        for (int y = 0; y < h; ++y) {
            const std::uint8_t* from = source.row(y);
            std::uint8_t* to = copy->row(vertical ? h - 1 - y : y);
            if (!horizontal) {
                std::memcpy(to, from, rowBytes);
                continue;
            }
            switch (size) {
            case 1: ReverseRow<1>(to, from, w); break;
            case 2: ReverseRow<2>(to, from, w); break;
            case 3: ReverseRow<3>(to, from, w); break;
            default: ReverseRow<4>(to, from, w); break;
            }
        }
        return copy;
    }
    std::vector<std::uint32_t> line(static_cast<std::size_t>(w));
    for (int y = 0; y < h; ++y) {
        source.ops().readValues(source, 0, y, w, line.data());
        if (horizontal)
            std::reverse(line.begin(), line.end());
        copy->ops().writeValues(*copy, 0, vertical ? h - 1 - y : y, w, line.data());
    }
    return copy;
}

// The turn's angle, cosine and sine in single precision, rounded exactly as the game always has.
struct Turn {
    float cs;
    float sn;
};

Turn TurnFor(int degrees)
{
    float radians = static_cast<float>(degrees * 6.28318530718);
    float theta = radians * 0.0027777778f;
    return {static_cast<float>(std::cos(static_cast<double>(theta))),
            static_cast<float>(std::sin(static_cast<double>(theta)))};
}

// Bounding box of the turned picture: the images of the four corners, each truncated.
struct Bounds {
    int minX, minY, width, height;
};

Bounds TurnedBounds(int w, int h, Turn t)
{
    float fw = static_cast<float>(w), fh = static_cast<float>(h);
    float hsn = fh * t.sn, hcs = fh * t.cs, wcs = fw * t.cs, wsn = fw * t.sn;
    int xs[4] = {0, static_cast<int>(-hsn), static_cast<int>(wcs), static_cast<int>(wcs - hsn)};
    int ys[4] = {0, static_cast<int>(hcs), static_cast<int>(wsn), static_cast<int>(hcs + wsn)};
    auto [minX, maxX] = std::minmax_element(std::begin(xs), std::end(xs));
    auto [minY, maxY] = std::minmax_element(std::begin(ys), std::end(ys));
    return {*minX, *minY, *maxX - *minX, *maxY - *minY};
}

// The destination of a turn: the source's header and colour table (indexed) or masks (bit fields).
std::unique_ptr<plat::Bitmap> TurnedDib(const plat::Bitmap& source, const Bounds& box)
{
    plat::DibInfoHeader info = source.info();
    info.width = box.width;
    info.height = box.height;
    int bits = source.bitCount();
    info.sizeImage = static_cast<std::uint32_t>(((box.width * bits + 31) & ~31) / 8 * box.height);
    std::vector<plat::RgbQuad> table(256);
    int n = StatedColorCount(source.info(), bits);
    table.resize(n <= 256 ? static_cast<std::size_t>(ReadTable(source, 0, n, table.data())) : 0);
    std::uint32_t masks[3] = {source.redMask(), source.greenMask(), source.blueMask()};
    bool bitfields = info.compression == plat::kCompressionBitfields;
    return plat::CreateDib(info, table, bitfields ? std::span<const std::uint32_t>(masks)
                                                  : std::span<const std::uint32_t>());
}

// What uncovered pixels hold: black. Indexed pictures use the first black entry, else index 0.
std::uint32_t BlackValue(const plat::Bitmap& dib)
{
    if (dib.bitCount() != 4 && dib.bitCount() != 8)
        return 0;
    const std::vector<plat::RgbQuad>& table = dib.colorTable();
    for (std::size_t i = 0; i < table.size() && i < (std::size_t{1} << dib.bitCount()); ++i)
        if (table[i].red == 0 && table[i].green == 0 && table[i].blue == 0)
            return static_cast<std::uint32_t>(i);
    return 0;
}

} // namespace

void fillBackgroundColor(plat::Color color)
{
    BackgroundLayer.dc.brush = plat::Brush{color};
    plat::Rectangle(BackgroundLayer.dc, 0, 0, kLayerWidth, kLayerHeight);
}

void loadBackgroundPicture(const std::string& path)
{
    // Black first: a missing picture, or one smaller than the layer, leaves no stale pixels.
    plat::FillRect(BackgroundLayer.dc, plat::Rect{0, 0, kLayerWidth, kLayerHeight}, plat::Brush{plat::kBlack});
    std::unique_ptr<plat::Bitmap> picture = plat::LoadBitmapBlock(path, kLayerWidth, kLayerHeight);
    if (!picture)
        return;
    plat::DrawContext source(picture.get());
    plat::BitBlt(BackgroundLayer.dc, 0, 0, kLayerWidth, kLayerHeight, &source, 0, 0, plat::kRopSrcCopy);
}

std::unique_ptr<plat::Bitmap> loadBmpFile(const std::string& path)
{
    return loadBmpBlock(path, plat::kMaxBmpSide);
}

std::unique_ptr<plat::Bitmap> loadBmpBlock(const std::string& path, int side)
{
    std::vector<std::uint8_t> bytes = plat::ReadBmpBlock(path, side, side);
    std::optional<plat::BmpHeaders> headers = plat::ParseBmpHeaders(bytes);
    if (!headers || bytes.size() != headers->pixelOffset + headers->pixelBytes)
        return nullptr;
    // A file that states its used-colour count always shows index 0 as black.
    if (headers->info.clrUsed != 0 && !headers->colorTable.empty())
        headers->colorTable[0] = plat::RgbQuad{};
    std::unique_ptr<plat::Bitmap> dib = plat::CreateDib(headers->info, headers->colorTable, headers->masks);
    if (!dib || dib->bits().size() != headers->pixelBytes)
        return nullptr;
    std::copy(bytes.begin() + headers->pixelOffset, bytes.end(), dib->bits().begin());
    return dib;
}

int readColorTable(const plat::DrawContext& dc, int firstIndex, int maxCount, plat::RgbQuad* out)
{
    return dc.bitmap() ? ReadTable(*dc.bitmap(), firstIndex, maxCount, out) : 0;
}

std::unique_ptr<plat::Bitmap> rotateBitmap(const plat::Bitmap& source, int degrees)
{
    const plat::DibInfoHeader& info = source.info();
    if (source.kind() != plat::BitmapKind::Dib || source.topDown() ||
        (info.compression != plat::kCompressionRgb && info.compression != plat::kCompressionBitfields))
        return nullptr;
    Turn t = TurnFor(degrees);
    Bounds box = TurnedBounds(source.width(), source.height(), t);
    std::unique_ptr<plat::Bitmap> turned = TurnedDib(source, box);
    if (!turned)
        return nullptr;
    std::uint32_t black = BlackValue(*turned);
    int w = source.width(), h = source.height();
    // The source is read once into packed rows, bottom row first, so that row s of `pixels` is the
    // picture's stored row s; sampling then costs an index instead of a call a pixel.
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    for (int s = 0; s < h; ++s)
        source.ops().readValues(source, 0, h - 1 - s, w, pixels.data() + static_cast<std::size_t>(s) * w);
    std::vector<std::uint32_t> line(static_cast<std::size_t>(box.width));
    // The column products are the same on every row: computed once, with the same float rounding.
    std::vector<float> xcs(static_cast<std::size_t>(box.width)), xsn(static_cast<std::size_t>(box.width));
    for (int j = 0; j < box.width; ++j) {
        float x = static_cast<float>(box.minX + j);
        xcs[static_cast<std::size_t>(j)] = x * t.cs;
        xsn[static_cast<std::size_t>(j)] = x * t.sn;
    }
    // Stored rows go bottom first, so stored row i is display row height - 1 - i.
    for (int i = 0; i < box.height; ++i) {
        float y = static_cast<float>(box.minY + i);
        float ycs = y * t.cs, ysn = y * t.sn;
        for (int j = 0; j < box.width; ++j) {
            int r = static_cast<int>(xcs[static_cast<std::size_t>(j)] + ysn);
            int s = static_cast<int>(ycs - xsn[static_cast<std::size_t>(j)]);
            bool inside = r >= 0 && r < w && s >= 0 && s < h;
            line[static_cast<std::size_t>(j)] =
                inside ? pixels[static_cast<std::size_t>(s) * static_cast<std::size_t>(w) + static_cast<std::size_t>(r)]
                       : black;
        }
        turned->ops().writeValues(*turned, 0, box.height - 1 - i, box.width, line.data());
    }
    return turned;
}

bool prepareTextures(const std::string& path, std::unique_ptr<plat::Bitmap> (&turns)[8], bool mirror)
{
    turns[0] = loadBmpBlock(path, kMaxTextureSide);
    if (turns[0] && mirror)
        turns[0] = FlippedCopy(*turns[0], true, false);
    if (!turns[0])
        return false;
    const int* angles = mirror ? kMirroredTurnAngles : kTurnAngles;
    for (int k = 1; k <= 3; ++k) {
        turns[k] = rotateBitmap(*turns[0], angles[k - 1]);
        if (!turns[k])
            return false;
    }
    for (int k = 4; k <= 7; ++k) {
        turns[k] = FlippedCopy(*turns[k - 4], true, true);
        if (!turns[k])
            return false;
    }
    return true;
}
