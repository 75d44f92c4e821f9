// The board side of the saved layout: the seven play tiles and the preview panel's position.
#include "game/board_layout.h"

#include "app/shell_state.h"
#include "game/preview_panel.h"
#include "tiles/tile_set.h"

BoardLayout ReadBoardLayout()
{
    BoardLayout layout{};
    if (!PlaySet.sprites[4])
        return layout; // no board yet: nothing to read
    for (int i = 0; i < kTileCount; ++i) {
        GridPosition at = PlaySet[i].gridPosition();
        layout.tiles[i] = {at.column, at.row, at.orientation};
    }
    layout.parallelogramMirrored = PlaySet[4].mirrored;
    plat::Point panel = GetPanelPosition();
    layout.panelX = panel.x;
    layout.panelY = panel.y;
    return layout;
}

void ApplyBoardLayout(const BoardLayout& layout)
{
    if (!PlaySet.sprites[4])
        return;
    if (layout.parallelogramMirrored)
        PlaySet[4].flipHorizontal(MainWindow);
    for (int i = 0; i < kTileCount; ++i) {
        PlaySet[i].place(layout.tiles[i].x, layout.tiles[i].y, layout.tiles[i].orientation);
        // A damaged file may put a tile past the edge; the board never shows one there.
        PlaySet[i].clampToBoard();
    }
    SetPanelPosition(layout.panelX, layout.panelY);
}
