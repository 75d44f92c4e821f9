// The board side of the saved layout: the seven play tiles and the preview panel's position.
#include "game/board_layout.h"

#include <algorithm>

#include "app/layers.h"
#include "app/shell_state.h"
#include "game/preview_panel.h"
#include "tiles/tile_set.h"

namespace {

constexpr int kGridUnit = 7;                    // board pixels per grid cell
constexpr int kMaxGridX = kBoardWidth / kGridUnit; // the board is 240 x 268 pixels
constexpr int kMaxGridY = kBoardHeight / kGridUnit;

} // namespace

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
    plat::Point panel = Panel.GetPanelPosition();
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
    Panel.SetPanelPosition(layout.panelX, layout.panelY);
}

void CaptureBoardState()
{
    const BoardLayout layout = ReadBoardLayout();
    GameSettings.savedMirror = layout.parallelogramMirrored ? 1 : 0;
    std::copy(std::begin(layout.tiles), std::end(layout.tiles), GameSettings.savedTiles);
    GameSettings.previewX = layout.panelX;
    GameSettings.previewY = layout.panelY;
}

BoardLayout SavedBoardLayout()
{
    BoardLayout layout{};
    for (int i = 0; i < 7; ++i) {
        const SavedTile& saved = GameSettings.savedTiles[i];
        layout.tiles[i].x = std::clamp(saved.x, 0, kMaxGridX);
        layout.tiles[i].y = std::clamp(saved.y, 0, kMaxGridY);
        layout.tiles[i].orientation = ((saved.orientation % 8) + 8) % 8;
    }
    layout.parallelogramMirrored = GameSettings.savedMirror != 0;
    layout.panelX = GameSettings.previewX;
    layout.panelY = GameSettings.previewY;
    return layout;
}

void RestoreBoardState()
{
    ApplyBoardLayout(SavedBoardLayout());
}
