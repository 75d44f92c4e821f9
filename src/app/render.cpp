// The drawing path to the screen: RenderScreen puts the board, the selected tile, its hint tile
// and the panel together in the ScreenBuffer; the window shows the ScreenBuffer when painted.
#include "app/render.h"

#include "app/layers.h"
#include "app/shell_state.h"
#include "data/puzzle_pack.h"
#include "data/settings.h"
#include "game/preview_panel.h"
#include "platform/window.h"
#include "tiles/tile_set.h"

void RenderScreen(int x, int y, int w, int h)
{
    if (!ScreenBuffer.surface || !BoardLayer.surface)
        return;
    plat::BitBlt(ScreenBuffer.dc, x, y, w, h, &BoardLayer.dc, x, y, plat::kRopSrcCopy);
    if (TileSelected && ZOrderList[0]) {
        TileSprite& selected = *ZOrderList[0];
        if (GameSettings.overlayShown && HintsVisible && selected.tileIndex <= HintCounter &&
            CurrentPuzzleExists() && HintSet.sprites[selected.tileIndex])
            HintSet[selected.tileIndex].draw(ScreenBuffer.dc, kBackdropBoard);
        selected.draw(ScreenBuffer.dc, kBackdropBackground);
    }
    DrawPanel();
}

void InvalidateTwoRects(plat::Window* window, int x1, int y1, int w1, int h1, int x2, int y2,
                        int w2, int h2)
{
    if (!window)
        return;
    plat::InvalidateRect(window, plat::Rect{x1, y1, w1, h1});
    plat::InvalidateRect(window, plat::Rect{x2, y2, w2, h2});
    plat::UpdateWindow(window);
}
