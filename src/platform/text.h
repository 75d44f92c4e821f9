// Text of the user interface: one sans-serif face at the handheld's size, regular and bold, drawn
// without smoothing in the context's text colour over what is already there.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/geometry.h"
#include "platform/raster.h"

namespace plat {

enum TextFlags : unsigned {
    kTextLeft = 0,
    kTextCenter = 1,   // each line centred horizontally
    kTextRight = 2,
    kTextTop = 0,
    kTextVCenter = 4,  // the block of lines centred vertically
    kTextBottom = 8,
    kTextWrap = 16,    // break lines at spaces to fit the width (a word too long is cut)
    kTextBold = 32,
};

// Draws text (UTF-8, '\n' breaks lines) inside rect, clipped to it. Answers the height of the
// lines laid out.
int DrawText(DrawContext& dc, const Rect& rect, std::string_view text, unsigned flags);
// Size of the text as DrawText lays it out; with kTextWrap lines are broken to wrapWidth.
Size MeasureText(std::string_view text, unsigned flags, int wrapWidth = 0);
// The lines DrawText would draw.
std::vector<std::string> LayoutText(std::string_view text, unsigned flags, int wrapWidth = 0);
// Pixels from one line to the next.
int TextLineHeight(unsigned flags = 0);
// True: the built-in font is always there (characters it lacks come from the font engine, or
// show as question marks when the engine is missing).
bool TextAvailable();

// Tests: draw and measure every line through the font engine, as the built-in font was made from.
void SetTextFromEngineOnly(bool on);

} // namespace plat
