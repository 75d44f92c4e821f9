// Code points and character boundaries of UTF-8 text, on top of the run time's conversions.
#include "platform/utf8.h"

#include <algorithm>

#include "platform/runtime.h"

namespace plat {
namespace {

bool IsContinuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

} // namespace

std::vector<char32_t> DecodeUtf8(std::string_view text)
{
    std::u16string units = Utf8ToUtf16(text);
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t c = units[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size())
            c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
        out.push_back(c);
    }
    return out;
}

void AppendUtf8(std::string& out, char32_t c)
{
    std::u16string units;
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        c = 0xFFFD;
    if (c < 0x10000) {
        units += static_cast<char16_t>(c);
    } else {
        units += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
        units += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
    out += Utf16ToUtf8(units);
}

std::size_t Utf16Length(std::string_view text)
{
    return Utf8ToUtf16(text).size();
}

std::size_t PreviousCharStart(std::string_view text, std::size_t at)
{
    at = std::min(at, text.size());
    while (at > 0 && IsContinuation(text[--at]))
        ;
    return at;
}

std::size_t NextCharStart(std::string_view text, std::size_t at)
{
    if (at >= text.size())
        return text.size();
    while (++at < text.size() && IsContinuation(text[at]))
        ;
    return at;
}

} // namespace plat
