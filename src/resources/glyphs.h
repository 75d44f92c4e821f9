// The glyph bitmaps of the preview panel under their numbers: digits and number sign, the
// status-line words, and the panel's button symbols. 1-bit; set pixels form the symbol.
#pragma once

#include "platform/bitmap.h"

constexpr int kGlyphExpand = 309;         // 9 x 9: down-arrow over bar (panel collapsed)
constexpr int kGlyphDigit0 = 310;         // 310..319: 6 x 7 digits 0..9, drawn in columns 1..4
constexpr int kGlyphNumberSign = 320;     // 7 x 7
constexpr int kGlyphCollapse = 327;       // 9 x 9: bar over up-arrow (panel expanded)
constexpr int kGlyphComplete = 328;       // 33 x 7: COMPLETE
constexpr int kGlyphNextIncomplete = 329; // 9 x 9: double right arrow
constexpr int kGlyphNext = 330;           // 9 x 9: right arrow (next / new)
constexpr int kGlyphPrevious = 331;       // 9 x 9: left arrow
constexpr int kGlyphStore = 332;          // 9 x 9: ring
constexpr int kGlyphDelete = 335;         // 9 x 9: crossed ring (delete following)
constexpr int kGlyphSeparator = 346;      // 3 x 7: two dots between hours, minutes, seconds
constexpr int kGlyphClose = 347;          // 9 x 9: cross (close the edit row)
constexpr int kGlyphEdit = 348;           // 17 x 7: EDIT
constexpr int kGlyphAdd = 349;            // 13 x 7: ADD

// Makes every glyph, in the order the shell loads them at start-up; they are kept for the run.
void LoadGlyphs();
// The glyph with that number (made on first use if LoadGlyphs has not run); null for a number
// that names none.
const plat::Bitmap* Glyph(int number);
