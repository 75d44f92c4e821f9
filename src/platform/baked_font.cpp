// Lines in the built-in font, laid out as the font engine lays them out: a line's box spans every
// glyph's box and the pen's end, and starts at the pen's first position or at the leftmost glyph
// column when that lies further left; its height is the face's line box or more when a glyph
// reaches beyond it.
#include "platform/baked_font.h"

#include <algorithm>

#include "platform/utf8.h"

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
    out.glyphs.clear();
    for (char32_t code : DecodeUtf8(utf8)) {
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
