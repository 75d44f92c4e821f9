// The built-in font: DejaVu Sans 11 pt, regular and bold, as the font engine draws it without
// smoothing, baked into tables by zentiles-make_font (src/platform/system_font.cpp). For the
// characters it holds, a line comes out pixel for pixel as the engine draws it: the engine lays
// these faces out glyph after glyph by whole-pixel advances, without kerning or ligatures.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace plat {

// One glyph: the pen's advance and the glyph's box relative to the pen on the baseline.
struct BakedGlyph {
    char32_t code;
    int advance;      // pixels from this pen position to the next
    int left;         // first column of the box, relative to the pen
    int top;          // rows of the box above the baseline
    int width;        // columns of the box
    int rows;         // rows of the box
    const char* bits; // the box's rows, top first, space separated: hex numbers of width bits,
                      // the leftmost pixel in the highest bit
};

struct BakedFace {
    const char* name;
    int ascent;   // baseline below the top of a line
    int height;   // least height of a line's box
    int lineSkip; // from one line to the next
    const BakedGlyph* glyphs; // by code point, ascending
    int glyphCount;
};

extern const BakedFace SystemFontRegular;
extern const BakedFace SystemFontBold;

// One drawn line: a width x height picture, one byte a pixel, 1 where the text colour goes.
struct LineInk {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> ink;
};

// The glyph of a character; null when the face does not hold it.
const BakedGlyph* FindBakedGlyph(const BakedFace& face, char32_t code);
// Width of a line as the engine measures it; -1 when the line holds a character the face does not
// hold (a malformed byte counts as U+FFFD, which it does not hold either).
int BakedLineWidth(const BakedFace& face, std::string_view utf8);
// Draws a line into a picture as the engine would; false as for BakedLineWidth, or when the line
// has no width (the engine draws nothing then).
bool DrawBakedLine(const BakedFace& face, std::string_view utf8, LineInk& out);

} // namespace plat
