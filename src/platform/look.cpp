// Frames and pixel art in the handheld's look.
#include "platform/look.h"

namespace plat {

void DrawFrame(DrawContext& dc, const Rect& r, Color color)
{
    Brush brush{color};
    FillRect(dc, {r.x, r.y, r.width, 1}, brush);
    FillRect(dc, {r.x, r.bottom() - 1, r.width, 1}, brush);
    FillRect(dc, {r.x, r.y, 1, r.height}, brush);
    FillRect(dc, {r.right() - 1, r.y, 1, r.height}, brush);
}

void DrawBox(DrawContext& dc, const Rect& r, Color fill, Color frame)
{
    FillRect(dc, r, Brush{fill});
    DrawFrame(dc, r, frame);
}

void DrawPixelArt(DrawContext& dc, int x, int y, const char* const* rows, int count, Color color)
{
    for (int row = 0; row < count; ++row)
        for (int col = 0; rows[row][col]; ++col)
            if (rows[row][col] == '#')
                SetPixel(dc, x + col, y + row, color);
}

} // namespace plat
