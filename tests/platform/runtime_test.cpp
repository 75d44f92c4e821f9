// Tests of the run-time services: clock, random numbers, formatting and UTF-16 conversion.
#include "platform/runtime.h"

#include <chrono>
#include <set>
#include <string>
#include <thread>

#include <gtest/gtest.h>

namespace {

TEST(RuntimeTest, VirtualClockStandsStillAndWraps)
{
    plat::UseVirtualClock(true);
    std::uint32_t start = plat::TickCount();
    std::this_thread::sleep_for(std::chrono::milliseconds(15));
    EXPECT_EQ(plat::TickCount(), start);
    plat::AdvanceVirtualClock(1000);
    EXPECT_EQ(plat::TickCount() - start, 1000u);

    // Elapsed time measured across the wrap stays right in unsigned arithmetic.
    plat::AdvanceVirtualClock(0xFFFFFFFFu - plat::TickCount() - 299);
    std::uint32_t beforeWrap = plat::TickCount();
    EXPECT_EQ(beforeWrap, 0xFFFFFFFFu - 299);
    plat::AdvanceVirtualClock(700);
    EXPECT_EQ(plat::TickCount(), 400u);
    EXPECT_EQ(plat::TickCount() - beforeWrap, 700u);

    plat::UseVirtualClock(false);
    std::uint32_t real = plat::TickCount();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    std::uint32_t elapsed = plat::TickCount() - real;
    EXPECT_GE(elapsed, 30u);
    EXPECT_LT(elapsed, 5000u);
}

TEST(RuntimeTest, RandomIsRepeatableAndSpread)
{
    plat::SeedRandom(2026);
    std::uint32_t first[8];
    for (std::uint32_t& value : first)
        value = plat::Random();
    plat::SeedRandom(2026);
    for (std::uint32_t value : first)
        EXPECT_EQ(plat::Random(), value);
    plat::SeedRandom(0);
    EXPECT_NE(plat::Random(), plat::Random()) << "seed 0 must not stick";

    // The check-byte use: 100 + r mod 150 must reach both ends over many draws.
    plat::SeedRandom(7);
    std::set<std::uint32_t> seen, checkBytes;
    std::uint32_t highBits = 0;
    for (int i = 0; i < 5000; ++i) {
        std::uint32_t r = plat::Random();
        EXPECT_LT(r, 0x80000000u);
        highBits |= r;
        seen.insert(r);
        checkBytes.insert(100 + r % 150);
    }
    EXPECT_EQ(highBits, 0x7FFFFFFFu) << "all 31 bits are used";
    EXPECT_GT(seen.size(), 4990u);
    EXPECT_EQ(checkBytes.size(), 150u);
}

TEST(RuntimeTest, FormatTextCases)
{
    struct Case {
        const char* format;
        std::initializer_list<plat::FormatArg> args;
        const char* expected;
    };
    const Case cases[] = {
        {"Get Hint (%d)", {2}, "Get Hint (2)"},
        {"%02d:%02d:%02d", {1, 2, 5}, "01:02:05"},
        {"%02d:%02d:%02d", {99, 59, 59}, "99:59:59"},
        {"%02d", {123}, "123"},
        {"%03d", {-5}, "-05"},
        {"%d", {-2147483647 - 1}, "-2147483648"},
        {"[%4d][%-4d]", {42, 42}, "[  42][42  ]"},
        {"[%5s][%-5s]", {"ab", "ab"}, "[   ab][ab   ]"},
        {"%05s", {"ab"}, "   ab"},
        {"%sYou requested %d hints, and spent ", {"Well. ", 3}, "Well. You requested 3 hints, and spent "},
        {"100%% of %d%%", {7}, "100% of 7%"},
        {"%s", {""}, ""},
        {"no directives", {1}, "no directives"},
        {"missing %d and %s", {4}, "missing 4 and %s"},
        {"odd %x %d", {3}, "odd %x 3"},
        {"trailing %", {}, "trailing %"},
        {"%d %s", {"text", 9}, "text 9"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(plat::FormatText(c.format, c.args), c.expected) << c.format;
}

TEST(RuntimeTest, Utf16RoundTrip)
{
    struct Case {
        std::u16string utf16;
        std::string utf8;
    };
    const Case cases[] = {
        {u"", ""},
        {u"sky.bmp", "sky.bmp"},
        {u"caf\u00E9", "caf\xC3\xA9"},
        {u"\u20AC5", "\xE2\x82\xAC" "5"},
        {u"\U0001F600!", "\xF0\x9F\x98\x80!"},       // surrogate pair D83D DE00
        {u"\U0010FFFF", "\xF4\x8F\xBF\xBF"},
        {std::u16string(1, u'\0') + u"x", std::string(1, '\0') + "x"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(plat::Utf16ToUtf8(c.utf16), c.utf8);
        EXPECT_EQ(plat::Utf8ToUtf16(c.utf8), c.utf16);
    }
    EXPECT_EQ(plat::Utf8ToUtf16("\xF0\x9F\x98\x80"), (std::u16string{0xD83D, 0xDE00}));
}

TEST(RuntimeTest, InvalidUnitsBecomeReplacementCharacters)
{
    const std::string fffd = "\xEF\xBF\xBD";
    const std::pair<std::u16string, std::string> badUtf16[] = {
        {{u'a', 0xD800, u'b'}, "a" + fffd + "b"},   // lone high surrogate
        {{u'a', 0xDC00}, "a" + fffd},                // lone low surrogate
        {{0xDE00, 0xD83D}, fffd + fffd},             // pair in the wrong order
        {{0xD83D}, fffd},                            // high surrogate at the end
    };
    for (const auto& [utf16, utf8] : badUtf16)
        EXPECT_EQ(plat::Utf16ToUtf8(utf16), utf8);

    const std::pair<std::string, std::u16string> badUtf8[] = {
        {"a\x80z", u"a\uFFFDz"},                       // stray continuation
        {"\xC0\xAF", u"\uFFFD\uFFFD"},                 // overlong '/'
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},       // encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"}, // past U+10FFFF
        {"\xE2\x82", u"\uFFFD"},                       // cut short at the end
        {"\xE2\x82z", u"\uFFFDz"},                     // cut short before a letter
        {"\xFF", u"\uFFFD"},
    };
    for (const auto& [utf8, utf16] : badUtf8)
        EXPECT_EQ(plat::Utf8ToUtf16(utf8), utf16);
}

} // namespace
