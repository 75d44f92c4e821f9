// The run-time font engine (SDL_ttf with the DejaVu Sans faces), loaded only when a text needs a
// character the built-in font lacks, and by the tool that bakes that font.
#pragma once

#include <string_view>

#include "platform/baked_font.h"

namespace plat {

// Where the engine puts one character: its box relative to the pen on the baseline (y counts up,
// as the engine counts) and the pen's advance, all in pixels.
struct EngineGlyphBox {
    int minX = 0;
    int maxX = 0;
    int minY = 0;
    int maxY = 0;
    int advance = 0;
};

// Whole-face figures: ascent above the baseline, the height of a line box, the line spacing.
struct EngineFaceMetrics {
    int ascent = 0;
    int height = 0;
    int lineSkip = 0;
};

// Loads the engine library and opens the two faces on first call; false when either is missing
// (the answer is kept for the run).
bool FontEngineReady();
// Draws one line (UTF-8) with the regular or the bold face, without smoothing; false when the
// engine is not ready or the line has no width.
bool EngineDrawLine(std::string_view utf8, bool bold, LineInk& out);
// Width of one line as the engine measures it; -1 when the engine is not ready.
int EngineLineWidth(std::string_view utf8, bool bold);
// The face's figures; zeros when the engine is not ready.
EngineFaceMetrics EngineMetrics(bool bold);
// The box of one character; false when the face has no glyph for it or the engine is not ready.
bool EngineGlyph(char32_t code, bool bold, EngineGlyphBox& out);

} // namespace plat
