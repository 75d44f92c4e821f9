// The drawing path to the screen: every change goes into the layers, RenderScreen puts the
// visible picture together in the ScreenBuffer, and paint copies the ScreenBuffer to the window.
#pragma once

namespace plat {
struct Window;
}

// Brings the ScreenBuffer up to date for that board rectangle; the selected tile, its hint tile
// and the preview panel are always drawn whole.
void RenderScreen(int x, int y, int w, int h);
// Invalidates two rectangles of the window without erasing, then updates it at once.
void InvalidateTwoRects(plat::Window* window, int x1, int y1, int w1, int h1, int x2, int y2,
                        int w2, int h2);
