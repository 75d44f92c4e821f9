// Run-time services: tick count with a virtual clock, xorshift random numbers, text formatting
// and UTF-16/UTF-8 conversion.
#include "platform/runtime.h"

#include <chrono>
#include <cstdlib>

namespace plat {

namespace {

bool VirtualClockOn = false;
std::uint32_t VirtualTicks = 0;

std::uint32_t RealTicks()
{
    auto since = std::chrono::steady_clock::now().time_since_epoch();
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(since).count();
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ms)); // wraps at 2^32 by design
}

// xorshift32 (Marsaglia): state never 0; seeded from the clock on first use.
std::uint32_t RandomState = 0;

std::uint32_t MixSeed(std::uint32_t seed)
{
    std::uint32_t state = seed ^ 0x9E3779B9u;
    return state == 0 ? 0x6C078965u : state;
}

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void AppendUtf16(std::u16string& out, char32_t c)
{
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (c >> 10));
        out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    }
}

// One UTF-8 lead byte: how many continuation bytes follow and the range the first of them
// must lie in (which rules out overlong forms, surrogates and values past U+10FFFF).
struct Utf8Lead {
    unsigned char low, high;  // lead byte range
    int continuations;
    unsigned char firstLow, firstHigh;
};
constexpr Utf8Lead kUtf8Leads[] = {
    {0xC2, 0xDF, 1, 0x80, 0xBF}, {0xE0, 0xE0, 2, 0xA0, 0xBF}, {0xE1, 0xEC, 2, 0x80, 0xBF},
    {0xED, 0xED, 2, 0x80, 0x9F}, {0xEE, 0xEF, 2, 0x80, 0xBF}, {0xF0, 0xF0, 3, 0x90, 0xBF},
    {0xF1, 0xF3, 3, 0x80, 0xBF}, {0xF4, 0xF4, 3, 0x80, 0x8F},
};

// Decodes one character at text[*at]; a bad sequence gives U+FFFD for its longest valid prefix.
char32_t DecodeUtf8(std::string_view text, std::size_t* at)
{
    auto lead = static_cast<unsigned char>(text[(*at)++]);
    if (lead < 0x80)
        return lead;
    for (const Utf8Lead& form : kUtf8Leads) {
        if (lead < form.low || lead > form.high)
            continue;
        char32_t c = lead & (0x3F >> form.continuations);
        for (int i = 0; i < form.continuations; ++i) {
            if (*at >= text.size())
                return kReplacement;
            auto next = static_cast<unsigned char>(text[*at]);
            unsigned char low = i == 0 ? form.firstLow : 0x80, high = i == 0 ? form.firstHigh : 0xBF;
            if (next < low || next > high)
                return kReplacement;
            c = (c << 6) | (next & 0x3F);
            ++*at;
        }
        return c;
    }
    return kReplacement;
}

// One conversion of FormatText: flags, width and the letter.
struct Conversion {
    bool zeroPad = false;
    bool leftAlign = false;
    std::size_t width = 0;
    char letter = 0;
};

std::string Pad(std::string body, const Conversion& conv, bool numeric)
{
    if (body.size() >= conv.width)
        return body;
    std::size_t fill = conv.width - body.size();
    if (conv.leftAlign)
        return body + std::string(fill, ' ');
    if (conv.zeroPad && numeric) {
        std::size_t signLength = (!body.empty() && body[0] == '-') ? 1 : 0;
        return body.insert(signLength, fill, '0');
    }
    return std::string(fill, ' ') + body;
}

// An argument of the wrong kind is shown as it is rather than reinterpreted.
std::string Render(const FormatArg& arg, const Conversion& conv)
{
    if (const int* number = std::get_if<int>(&arg))
        return Pad(std::to_string(*number), conv, conv.letter == 'd');
    return Pad(std::string(std::get<std::string_view>(arg)), conv, false);
}

// Parses "%[-0][width](d|s)" at format[at] (just past the '%'); false when it is not one.
bool ParseConversion(std::string_view format, std::size_t* at, Conversion* conv)
{
    std::size_t i = *at;
    for (; i < format.size() && (format[i] == '0' || format[i] == '-'); ++i)
        (format[i] == '0' ? conv->zeroPad : conv->leftAlign) = true;
    for (; i < format.size() && format[i] >= '0' && format[i] <= '9'; ++i)
        conv->width = conv->width * 10 + static_cast<std::size_t>(format[i] - '0');
    if (i >= format.size() || (format[i] != 'd' && format[i] != 's'))
        return false;
    conv->letter = format[i];
    *at = i + 1;
    return true;
}

} // namespace

std::uint32_t TickCount() { return VirtualClockOn ? VirtualTicks : RealTicks(); }

void UseVirtualClock(bool on)
{
    if (on && !VirtualClockOn)
        VirtualTicks = RealTicks(); // continues from the real clock, then stands still
    VirtualClockOn = on;
}

void AdvanceVirtualClock(std::uint32_t milliseconds) { VirtualTicks += milliseconds; }

std::uint32_t Random()
{
    if (RandomState == 0) {
        auto now = std::chrono::system_clock::now().time_since_epoch().count();
        RandomState = MixSeed(static_cast<std::uint32_t>(now) ^ static_cast<std::uint32_t>(now >> 32));
    }
    RandomState ^= RandomState << 13;
    RandomState ^= RandomState >> 17;
    RandomState ^= RandomState << 5;
    return RandomState >> 1;
}

void SeedRandom(std::uint32_t seed) { RandomState = MixSeed(seed); }

std::string FormatText(std::string_view format, std::initializer_list<FormatArg> args)
{
    std::string out;
    const FormatArg* next = args.begin();
    std::size_t i = 0;
    while (i < format.size()) {
        char c = format[i++];
        if (c != '%') {
            out += c;
        } else if (i < format.size() && format[i] == '%') {
            out += '%';
            ++i;
        } else {
            std::size_t start = i;
            Conversion conv;
            if (ParseConversion(format, &i, &conv) && next != args.end())
                out += Render(*next++, conv);
            else
                out += format.substr(start - 1, i - start + 1); // unknown or argument missing: keep text
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
            c = kReplacement;
        }
        AppendUtf8(out, c);
    }
    return out;
}

std::u16string Utf8ToUtf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    std::size_t at = 0;
    while (at < text.size())
        AppendUtf16(out, DecodeUtf8(text, &at));
    return out;
}

} // namespace plat
