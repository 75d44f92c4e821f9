// Lines in the built-in font, laid out as the font engine lays them out: a line's box spans every
// glyph's box and the pen's end, and starts at the pen's first position or at the leftmost glyph
// column when that lies further left; its height is the face's line box or more when a glyph
// reaches beyond it.
#include "platform/baked_font.h"

#include <algorithm>

namespace plat {
namespace {

// Where the glyphs of a line go: each glyph's box relative to the line box's top-left corner.
struct Placement {
    const BakedGlyph* glyph;
    int x;
    int y;
};

struct LineLayout {
    int width = 0;
    int height = 0;
    std::vector<Placement> glyphs;
};

bool LayOut(const BakedFace& face, std::string_view utf8, LineLayout& out)
{
    int pen = 0, minX = 0, maxX = 0, minY = 0, maxY = face.height;
    std::size_t at = 0;
    out.glyphs.clear();
    while (at < utf8.size()) {
        char32_t code = 0;
        if (!NextCodePoint(utf8, &at, &code))
            return false;
        const BakedGlyph* glyph = FindBakedGlyph(face, code);
        if (!glyph)
            return false;
        int x = pen + glyph->left, y = face.ascent - glyph->top;
        minX = std::min(minX, x);
        maxX = std::max(maxX, x + glyph->width);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y + glyph->rows);
        out.glyphs.push_back({glyph, x, y});
        pen += glyph->advance;
    }
    maxX = std::max(maxX, pen);
    out.width = maxX - minX;
    out.height = maxY - minY;
    for (Placement& p : out.glyphs) {
        p.x -= minX;
        p.y -= minY;
    }
    return true;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

// Sets the glyph's pixels in the picture (the layout keeps every box inside it).
void PaintGlyph(const Placement& p, LineInk& out)
{
    const char* bits = p.glyph->bits;
    for (int row = 0; row < p.glyph->rows; ++row) {
        while (*bits == ' ')
            ++bits;
        std::uint32_t value = 0;
        for (int digit; (digit = HexDigit(*bits)) >= 0; ++bits)
            value = value << 4 | static_cast<std::uint32_t>(digit);
        for (int col = 0; col < p.glyph->width; ++col)
            if (value >> (p.glyph->width - 1 - col) & 1)
                out.ink[static_cast<std::size_t>((p.y + row) * out.width + p.x + col)] = 1;
    }
}

} // namespace

bool NextCodePoint(std::string_view utf8, std::size_t* at, char32_t* code)
{
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
    std::size_t start = (*at)++;
    unsigned char lead = byte(start);
    int extra = lead < 0x80 ? 0 : lead >= 0xC2 && lead < 0xE0 ? 1 : lead >= 0xE0 && lead < 0xF0 ? 2
              : lead >= 0xF0 && lead < 0xF5 ? 3 : -1;
    if (extra < 0 || utf8.size() - start <= static_cast<std::size_t>(extra))
        return false;
    char32_t value = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int i = 1; i <= extra; ++i) {
        unsigned char next = byte(start + static_cast<std::size_t>(i));
        if ((next & 0xC0) != 0x80)
            return false;
        value = value << 6 | (next & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (value < kSmallest[extra] || value > 0x10FFFF || (value >= 0xD800 && value < 0xE000))
        return false;
    *at = start + 1 + static_cast<std::size_t>(extra);
    *code = value;
    return true;
}

const BakedGlyph* FindBakedGlyph(const BakedFace& face, char32_t code)
{
    const BakedGlyph* end = face.glyphs + face.glyphCount;
    const BakedGlyph* it = std::lower_bound(
        face.glyphs, end, code, [](const BakedGlyph& g, char32_t c) { return g.code < c; });
    return it != end && it->code == code ? it : nullptr;
}

int BakedLineWidth(const BakedFace& face, std::string_view utf8)
{
    LineLayout layout;
    return LayOut(face, utf8, layout) ? layout.width : -1;
}

bool DrawBakedLine(const BakedFace& face, std::string_view utf8, LineInk& out)
{
    LineLayout layout;
    out = LineInk{};
    if (!LayOut(face, utf8, layout) || layout.width == 0)
        return false;
    out.width = layout.width;
    out.height = layout.height;
    out.ink.assign(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height), 0);
    for (const Placement& p : layout.glyphs)
        PaintGlyph(p, out);
    return true;
}

} // namespace plat
