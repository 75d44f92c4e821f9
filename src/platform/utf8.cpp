// UTF-8 decoding and encoding for typed text and file names.
#include "platform/utf8.h"

#include <algorithm>

namespace plat {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Decodes the character at `at`; answers its length in bytes (at least 1).
std::size_t DecodeOne(std::string_view text, std::size_t at, char32_t& out)
{
    auto byte = static_cast<unsigned char>(text[at]);
    int extra = byte < 0x80 ? 0 : (byte >> 5) == 0x6 ? 1 : (byte >> 4) == 0xE ? 2 : (byte >> 3) == 0x1E ? 3 : -1;
    if (extra == 0) {
        out = byte;
        return 1;
    }
    if (extra < 0 || at + static_cast<std::size_t>(extra) >= text.size()) {
        out = kReplacement;
        return 1;
    }
    char32_t value = byte & (0x3F >> extra);
    for (int i = 1; i <= extra; ++i) {
        auto next = static_cast<unsigned char>(text[at + static_cast<std::size_t>(i)]);
        if (!IsContinuation(next)) {
            out = kReplacement;
            return static_cast<std::size_t>(i);
        }
        value = (value << 6) | (next & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    bool valid = value >= kSmallest[extra] && value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF);
    out = valid ? value : kReplacement;
    return static_cast<std::size_t>(extra) + 1;
}

} // namespace

std::vector<char32_t> DecodeUtf8(std::string_view text)
{
    std::vector<char32_t> out;
    for (std::size_t at = 0; at < text.size();) {
        char32_t c;
        at += DecodeOne(text, at, c);
        out.push_back(c);
    }
    return out;
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        c = kReplacement;
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

std::size_t Utf16Length(std::string_view text)
{
    std::size_t units = 0;
    for (char32_t c : DecodeUtf8(text))
        units += c > 0xFFFF ? 2 : 1;
    return units;
}

std::size_t PreviousCharStart(std::string_view text, std::size_t at)
{
    if (at == 0)
        return 0;
    at = std::min(at, text.size()) - 1;
    while (at > 0 && IsContinuation(static_cast<unsigned char>(text[at])))
        --at;
    return at;
}

std::size_t NextCharStart(std::string_view text, std::size_t at)
{
    if (at >= text.size())
        return text.size();
    char32_t ignored;
    return at + DecodeOne(text, at, ignored);
}

} // namespace plat
