// The handheld's look, shared by menus, tooltips and dialog controls: its colours and the few
// frame shapes they draw.
#pragma once

#include "platform/geometry.h"
#include "platform/raster.h"

namespace plat {

constexpr Color kHighlightColor = MakeColor(0, 0, 128);    // a chosen row or item, white text
constexpr Color kGreyTextColor = MakeColor(128, 128, 128); // greyed entries and controls
constexpr Color kFaceColor = MakeColor(214, 211, 206);     // buttons, scroll bars, bars
constexpr Color kShadowColor = MakeColor(128, 128, 128);
constexpr Color kTooltipColor = MakeColor(255, 255, 225);

// A one-pixel frame just inside r.
void DrawFrame(DrawContext& dc, const Rect& r, Color color);
// Fills r and frames it.
void DrawBox(DrawContext& dc, const Rect& r, Color fill, Color frame);
// Pixel art: each '#' of the rows becomes a pixel of colour at (x, y) onward.
void DrawPixelArt(DrawContext& dc, int x, int y, const char* const* rows, int count, Color color);

} // namespace plat
