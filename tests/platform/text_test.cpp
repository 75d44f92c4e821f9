// Tests of text layout and drawing: measuring, wrapping, alignment and clipping to the rectangle.
#include "platform/text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>

#include "platform/font_engine.h"

namespace {

using namespace plat;

// Columns and rows of the pixels in colour ink, as a bounding rectangle.
Rect InkBounds(const DrawContext& dc, Color ink)
{
    Rect bounds{};
    const Bitmap& b = *dc.bitmap();
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            if (GetPixel(dc, x, y) == ink)
                bounds = bounds.united({x, y, 1, 1});
    return bounds;
}

class TextTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (!TextAvailable())
            GTEST_SKIP() << "the DejaVu Sans font files are not installed";
    }
};

TEST_F(TextTest, MeasuresLinesAndBoldIsWider)
{
    Size regular = MeasureText("Exit Zentiles?", 0);
    Size bold = MeasureText("Exit Zentiles?", kTextBold);
    EXPECT_GT(regular.width, 40);
    EXPECT_LT(regular.width, 120);
    EXPECT_EQ(regular.height, TextLineHeight());
    EXPECT_GE(TextLineHeight(), 11);
    EXPECT_LE(TextLineHeight(), 16);
    EXPECT_GT(bold.width, regular.width);
    EXPECT_EQ(MeasureText("one\ntwo\n\nfour", 0).height, 4 * TextLineHeight());
    EXPECT_EQ(MeasureText("", 0).width, 0);
}

TEST_F(TextTest, WrapsAtSpacesWithinTheWidthAndCutsLongWords)
{
    const std::string text =
        "Supplemental Data for this Custom Pack has been found.  Would you like to load it?";
    for (int width : {60, 120, 180, 1000}) {
        std::vector<std::string> lines = LayoutText(text, kTextWrap, width);
        std::string joined;
        for (const std::string& line : lines) {
            EXPECT_LE(MeasureText(line, 0).width, width) << "'" << line << "' at " << width;
            EXPECT_FALSE(line.empty());
            joined += (joined.empty() ? "" : " ") + line;
        }
        // Nothing is lost but the spaces at the breaks.
        auto squeeze = [](std::string s) {
            std::erase(s, ' ');
            return s;
        };
        EXPECT_EQ(squeeze(joined), squeeze(text)) << "at " << width;
        EXPECT_EQ(lines.size() == 1, width == 1000) << "at " << width;
    }
    std::vector<std::string> cut = LayoutText("Zentiles_Data_Base_file", kTextWrap, 30);
    EXPECT_GT(cut.size(), 2u);
    for (const std::string& piece : cut)
        EXPECT_LE(MeasureText(piece, 0).width, 30) << piece;
    EXPECT_EQ(LayoutText("a\n\nb", kTextWrap, 100), (std::vector<std::string>{"a", "", "b"}));
}

TEST_F(TextTest, DrawsInTheTextColourInsideTheRectangleOnly)
{
    auto surface = CreateScreenBitmap(120, 60);
    DrawContext dc(surface.get());
    FillRect(dc, {0, 0, 120, 60}, Brush{kWhite});
    const Color ink = MakeColor(0, 0, 200);
    dc.textColor = ink;
    const Rect box = {10, 10, 100, 40};
    Size size = MeasureText("OK", 0);
    int left = 0;
    for (unsigned flags : {unsigned{kTextLeft}, unsigned{kTextCenter}, unsigned{kTextRight}}) {
        FillRect(dc, {0, 0, 120, 60}, Brush{kWhite});
        DrawText(dc, box, "OK", flags | kTextVCenter);
        Rect inkAt = InkBounds(dc, ink);
        ASSERT_FALSE(inkAt.isEmpty());
        EXPECT_EQ(inkAt.intersected(box), inkAt);
        // Solid rendering: only the ink colour and the untouched ground.
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 120; ++x) {
                Color c = GetPixel(dc, x, y);
                ASSERT_TRUE(c == ink || c == kWhite) << x << "," << y;
            }
        if (flags == kTextLeft) {
            left = inkAt.x;
            EXPECT_LT(inkAt.x, box.x + 3);
        } else if (flags == kTextCenter) {
            EXPECT_NEAR(inkAt.x - box.x, box.right() - inkAt.right(), 3);
        } else {
            EXPECT_GT(inkAt.right(), box.right() - 3);
            EXPECT_NEAR(inkAt.x - left, box.width - size.width, 1);
        }
        EXPECT_NEAR(inkAt.y + inkAt.height / 2, box.y + box.height / 2, 3);
    }
    // A rectangle too small clips the glyphs.
    FillRect(dc, {0, 0, 120, 60}, Brush{kWhite});
    DrawText(dc, {0, 0, 5, 5}, "Wide text", 0);
    Rect clipped = InkBounds(dc, ink);
    EXPECT_FALSE(clipped.isEmpty());
    EXPECT_EQ(clipped.intersected({0, 0, 5, 5}), clipped);
}

// Every string literal of the game's sources: whatever text the game shows is among them.
std::set<std::string> GameStrings()
{
    std::set<std::string> found;
    const std::regex literal(R"re("((?:[^"\\]|\\.)*)")re");
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(ZENTILES_SOURCE_DIR "/src")) {
        if (entry.path().extension() != ".cpp" || entry.path().filename() == "system_font.cpp")
            continue;
        std::ifstream file(entry.path());
        for (std::string line; std::getline(file, line);)
            for (std::sregex_iterator it(line.begin(), line.end(), literal), end; it != end; ++it) {
                std::string text = std::regex_replace((*it)[1].str(), std::regex(R"(\\n)"), "\n");
                if (text.find('\\') == std::string::npos)
                    found.insert(text);
            }
    }
    return found;
}

// The built-in font against the engine it was baked from: every string of the game, and text in
// every baked script, laid out alone, wrapped, centred and in bold, must come out pixel for pixel
// and measure alike. Text the font lacks (a Japanese file name) goes to the engine itself.
TEST(BuiltInFont, DrawsWhatTheEngineDraws)
{
    if (!FontEngineReady())
        GTEST_SKIP() << "the font engine (SDL_ttf) or DejaVu Sans is not installed";
    std::set<std::string> texts = GameStrings();
    ASSERT_GT(texts.size(), 30u);
    for (const char* more : {
             "Zwölf Boxkämpfer jagen Viktor quer über den großen Sylter Deich.",
             "Pchnąć w tę łódź jeża lub ośm skrzyń fig; Žluťoučký kůň úpěl ďábelské ódy.",
             "Ξεσκεπάζω την ψυχοφθόρα βδελυγμία. Съешь же ещё этих мягких французских булок, да выпей чаю.",
             "¡¿«»§¶©®°±²³µ·¹º¼½¾×÷ ÆÐÞßæðþ ĲĳŒœŉſ ΐΰϊϋ ЀЁЂЃЄЅІЇЈЉЊЋЌЍЎЏ ѢѣѲѳѴѵ",
             "puzzle 日本語のパズル.zdb", "Total time 12:34:56\tHints 3", "a\xC3(broken)",
         })
        texts.insert(more);
    auto surface = CreateScreenBitmap(260, 120);
    DrawContext dc(surface.get());
    auto paint = [&](const std::string& text, unsigned flags, std::vector<std::uint8_t>& out) {
        FillRect(dc, {0, 0, 260, 120}, Brush{kWhite});
        DrawText(dc, {3, 2, 250, 110}, text, flags);
        out.assign(surface->bits().begin(), surface->bits().end());
    };
    std::vector<std::uint8_t> baked, engine;
    for (const std::string& text : texts)
        for (unsigned flags : {0u, unsigned{kTextBold}, unsigned{kTextWrap | kTextCenter},
                               unsigned{kTextWrap | kTextBold | kTextRight}}) {
            SCOPED_TRACE("\"" + text + "\" flags " + std::to_string(flags));
            Size bakedSize = MeasureText(text, flags, 120);
            paint(text, flags, baked);
            SetTextFromEngineOnly(true);
            Size engineSize = MeasureText(text, flags, 120);
            paint(text, flags, engine);
            SetTextFromEngineOnly(false);
            EXPECT_EQ(bakedSize, engineSize);
            ASSERT_TRUE(baked == engine);
        }
}

} // namespace
