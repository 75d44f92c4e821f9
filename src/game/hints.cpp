// Hint state and the puzzle overlay: the target silhouette, dithered, centred on the board.
// Revealing tiles one by one comes with the hint commands.
#include "game/hints.h"

#include "app/layers.h"
#include "app/render.h"
#include "app/shell_state.h"
#include "data/puzzle_pack.h"
#include "data/settings.h"
#include "game/board.h"
#include "platform/window.h"
#include "tiles/tile_set.h"

void RefreshHintHighlight()
{
}

void BuildOverlay()
{
    plat::FillRect(OverlayMaskLayer.dc, {0, 0, kLayerWidth, kLayerHeight}, plat::Brush{plat::kBlack});
    // An empty or rejected pack has no puzzle: the preview tiles then lie where no record put them.
    if (!HintSet.sprites[4] || !PreviewSet.sprites[4] || !CurrentPuzzleExists())
        return;
    if (HintSet[4].mirrored != PreviewSet[4].mirrored)
        HintSet[4].flipHorizontal(nullptr);
    CenteringItem items[kTileCount];
    GridPosition at[kTileCount];
    for (int i = 0; i < kTileCount; ++i) {
        at[i] = PreviewSet[i].gridPosition();
        const plat::Bitmap* image = HintSet[i].images[at[i].orientation];
        items[i] = {at[i].column, at[i].row, image ? image->width() : 0, image ? image->height() : 0};
    }
    plat::Point shift = CenteringOffset(items);
    for (int i = 0; i < kTileCount; ++i) {
        HintSet[i].place(at[i].column + shift.x, at[i].row + shift.y, at[i].orientation);
        HintSet[i].makeSeeThrough(nullptr);
        HintSet[i].drawMask(OverlayMaskLayer.dc);
    }
}

void ToggleOverlay(plat::Window* window)
{
    SelectTile(window, -1);
    GameSettings.overlayShown = GameSettings.overlayShown ? 0 : 1;
    BuildOverlay();
    ComposeBoard(0, 0, kLayerWidth, kLayerHeight);
    RenderScreen(0, 0, kLayerWidth, kLayerHeight);
    if (window) {
        plat::InvalidateRect(window);
        plat::UpdateWindow(window);
    }
}

void ResetHintState()
{
    HintsVisible = false;
    int index = GameSettings.currentPuzzle;
    if (index < 0 || index >= kProgressRecordCount) {
        HintCounter = -1;
        return;
    }
    const ProgressRecord& progress = PuzzlePack.progress[index];
    HintCounter = progress.solved ? 7 : progress.hints - 1;
}
