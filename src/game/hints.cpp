// Hints and the puzzle overlay: the Hint pop-up, revealing tiles one by one, the mark of the
// selected revealed tile in the panel, and the dithered target silhouette on the board.
#include "game/hints.h"

#include "app/layers.h"
#include "app/render.h"
#include "app/shell_state.h"
#include "data/puzzle_pack.h"
#include "data/settings.h"
#include "game/board.h"
#include "game/preview_panel.h"
#include "platform/menu.h"
#include "platform/runtime.h"
#include "platform/window.h"
#include "tiles/tile_set.h"

namespace {

constexpr int kHintPopupPosition = 2; // in the "Game " pop-up
constexpr int kLastTile = 6;

void Repaint(plat::Window* window)
{
    if (!window)
        return;
    plat::InvalidateRect(window);
    plat::UpdateWindow(window);
}

void NextHint(plat::Window* window)
{
    ++HintCounter;
    if (ProgressRecord* progress = CurrentPuzzleProgress(); progress && !progress->solved)
        progress->hints = static_cast<std::int8_t>(HintCounter + 1);
    Panel.DrawStatusLine();
    SelectTile(window, FindTileInZOrder(HintCounter));
}

void ShowHints(plat::Window* window)
{
    HintsVisible = true;
    bool frontRevealed = ZOrderList[0]->tileIndex <= HintCounter;
    SelectTile(window, -1);
    SelectTile(window, frontRevealed ? 0 : FindTileInZOrder(HintCounter));
}

void HideHints(plat::Window* window)
{
    HintsVisible = false;
    RefreshHintHighlight();
    RenderScreen(0, 0, kLayerWidth, kLayerHeight);
    Repaint(window);
}

} // namespace

void SetHintMenu(int state)
{
    plat::Menu* hint =
        plat::SubMenu(plat::MenuBarSubMenu(MenuBar, kCommandGameMenu), kHintPopupPosition);
    if (!hint)
        return;
    for (int command : {kCommandGetHint, kCommandNextHint, kCommandShowHints, kCommandHideHints})
        plat::RemoveMenuItem(hint, command);
    switch (state) {
    case -1:
        plat::InsertMenuItem(hint, 0, plat::Entry("Get Hint (1)", kCommandGetHint));
        break;
    case kCommandHideHints:
        plat::InsertMenuItem(hint, 0, plat::Entry("Show Hints", kCommandShowHints));
        break;
    case kCommandGetHint:
    case kCommandNextHint:
    case kCommandShowHints:
        if (HintCounter >= kLastTile) {
            plat::InsertMenuItem(hint, 0, plat::Entry("Hide Hints", kCommandHideHints));
        } else {
            std::string label = plat::FormatText("Get Hint (%d)", {HintCounter + 2});
            plat::InsertMenuItem(hint, 0, plat::Entry(label, kCommandNextHint));
            plat::InsertMenuItem(hint, 1, plat::Entry("Hide Hints", kCommandHideHints));
        }
        break;
    default:
        break; // the pop-up stays empty
    }
}

void ResetHintCounter()
{
    const ProgressRecord* progress = CurrentPuzzleProgress();
    bool solved = progress && progress->solved;
    HintCounter = solved ? 7 : (progress ? progress->hints : 0) - 1;
    SetHintMenu(!solved && HintCounter == -1 ? -1 : kCommandHideHints);
}

void ResetHintState()
{
    HintsVisible = false;
    ResetHintCounter();
}

bool RunHintCommand(plat::Window* window, int command)
{
    switch (command) {
    case kCommandGetHint:
    case kCommandNextHint:
        // Past the last tile there is nothing to reveal (the menu never offers it then).
        if (HintCounter >= kLastTile || !CurrentPuzzleExists())
            return true;
        if (command == kCommandGetHint)
            HintsVisible = true;
        NextHint(window);
        break;
    case kCommandHideHints:
        HideHints(window);
        break;
    case kCommandShowHints:
        ShowHints(window);
        break;
    default:
        return false;
    }
    SetHintMenu(command);
    plat::SetInputPanelButton(false);
    return true;
}

void RefreshHintHighlight()
{
    if (!CurrentPuzzleExists() || !Panel.picture || !PreviewSet.sprites[0] || !ZOrderList[1])
        return;
    TileSprite& marked = PreviewSet[ZOrderList[0]->tileIndex];
    if (HintsVisible && ZOrderList[0]->tileIndex <= HintCounter && TileSelected)
        marked.makeSeeThrough(nullptr);
    else
        marked.clearSeeThrough();
    marked.draw(Panel.pictureDc, kBackdropPanel);
    TileSprite& previous = PreviewSet[ZOrderList[1]->tileIndex];
    previous.clearSeeThrough();
    previous.draw(Panel.pictureDc, kBackdropPanel);
}

bool HintTileShown()
{
    return TileSelected && ZOrderList[0] && GameSettings.overlayShown == 1 && HintsVisible &&
           ZOrderList[0]->tileIndex <= HintCounter && CurrentPuzzleExists();
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
    Repaint(window);
}
