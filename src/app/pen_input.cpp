// Pen input and painting: routes the three pen messages to the board and copies the
// ScreenBuffer to the window on paint.
#include "app/pen_input.h"

#include "app/layers.h"
#include "app/render.h"
#include "app/shell_state.h"
#include "data/puzzle_pack.h"
#include "data/settings.h"
#include "game/board.h"
#include "game/clock.h"
#include "game/preview_panel.h"
#include "game/solved_check.h"
#include "platform/window.h"
#include "tiles/tile_set.h"

void PenDown(plat::Window* window, int x, int y)
{
    PenAnchor = {x, y};
    bool hit = false;
    for (int j = 0; j < kTileCount; ++j) {
        if (ZOrderList[j]->hitTest(x, y)) {
            SelectTile(window, j);
            hit = true;
            break;
        }
    }
    bool onPanel = PanelPenDown(x, y);
    if (onPanel || !hit)
        SelectTile(window, -1);
}

void PenMove(plat::Window* window, int x, int y)
{
    if (TileSelected)
        DragStep(window, x, y);
}

void PenUp(plat::Window* window, int, int)
{
    plat::Point panel = GetPanelPosition();
    plat::Rect refresh{panel.x, panel.y, 0, 0};
    if (TileSelected) {
        ZOrderList[0]->clampToBoard();
        if (const ProgressRecord* progress = CurrentPuzzleProgress();
            progress && !progress->solved && IsPuzzleSolved())
            ShowSolvedMessage(window);
        DrawStatusLine();
        // The dropped tile may have been clamped back: its place is repainted with the panel's.
        refresh = refresh.united({ZOrderList[0]->x, ZOrderList[0]->y, ZOrderList[0]->width,
                                  ZOrderList[0]->height});
    }
    RenderScreen(0, 0, kLayerWidth, kLayerHeight);
    if (!window)
        return;
    if (!refresh.isEmpty())
        plat::InvalidateRect(window, refresh);
    plat::UpdateWindow(window);
}

void PaintMainWindow(plat::Window* window)
{
    plat::PaintContext paint = plat::BeginPaint(window);
    plat::BitBlt(paint.dc, 0, 0, kLayerWidth, kLayerHeight, &ScreenBuffer.dc, 0, 0, plat::kRopSrcCopy);
    plat::EndPaint(window, paint);
}
