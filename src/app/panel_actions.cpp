// The preview panel's button actions and custom-pack editing on the board.
#include "app/panel_actions.h"

#include "app/commands.h"
#include "app/layers.h"
#include "app/menu_bar.h"
#include "app/render.h"
#include "app/shell_state.h"
#include "data/progress.h"
#include "data/puzzle_pack.h"
#include "data/settings.h"
#include "game/board.h"
#include "game/hints.h"
#include "platform/menu.h"
#include "platform/message_box.h"
#include "platform/window.h"
#include "tiles/tile_set.h"

namespace {

constexpr int kEditEntryPosition = 3; // of the edit toolbar entry in the "Custom" pop-up

int& Current()
{
    return GameSettings.currentPuzzle;
}

void ComposeIfOverlay()
{
    if (GameSettings.overlayShown)
        ComposeBoard(0, 0, kLayerWidth, kLayerHeight);
}

void RelabelEditEntry(const char* text)
{
    plat::Menu* custom = plat::SubMenu(GameMenu(), kCustomPopupPosition);
    plat::RemoveMenuItem(custom, kCommandEditToolbar);
    plat::InsertMenuItem(custom, kEditEntryPosition, plat::Entry(text, kCommandEditToolbar));
}

// Leaving the edit row while the empty slot after the last puzzle is shown steps back to the
// last real one (none in an empty pack: the panel then shows an empty body).
void LeaveEmptySlot()
{
    // An empty pack has no puzzle to step back to: the slot stays, and no record -1 is read.
    if (Current() != PackCount() || PackCount() == 0)
        return;
    --Current();
    ShowPuzzleInPanel(Current());
    ComposeBoard(0, 0, kLayerWidth, kLayerHeight);
}

void SendTilesHome(plat::Window* window)
{
    ArrangeTilesAtHome(window);
    plat::Rect all{0, 0, kLayerWidth, kLayerHeight};
    plat::FillRect(TileMaskLayer.dc, all, plat::Brush{plat::kBlack});
    plat::FillRect(TileLayer.dc, all, plat::Brush{plat::kBlack});
    for (int i = kTileCount - 1; i >= 0; --i)
        ZOrderList[i]->drawMask(TileMaskLayer.dc);
    RedrawTileLayer(TileSelected);
}

void NextIncomplete(plat::Window* window)
{
    int n = PackCount();
    int c = Current();
    if (n <= 0)
        return; // an empty pack has nothing to walk; the board stays as it is
    int s = c + 1 < n ? c + 1 : 0;
    int k = s;
    while (PuzzlePack.progress[k].solved) {
        k = (k + 1) % n;
        if (k == s)
            break;
    }
    Current() = k;
    if (k == c && !PuzzlePack.progress[c].solved) {
        MessageBoxActive = true;
        plat::ShowMessageBox(window,
                             "This is the last incomplete puzzle in this puzzle pack.  To access "
                             "puzzles you've already completed, use the puzzle browser.",
                             "Vantorel", plat::MessageIcon::Information, plat::MessageButtons::Ok);
        MessageBoxActive = false;
    } else if (!TilesAtHome) {
        SendTilesHome(window);
    }
    ResetHintState();
    ShowPuzzleInPanel(Current());
    ClockPaused = true;
    ComposeBoard(0, 0, kLayerWidth, kLayerHeight);
    SaveProgress();
}

void Previous()
{
    if (Current() > 0)
        --Current();
    ShowPuzzleInPanel(Current());
    ComposeIfOverlay();
}

void Store()
{
    BoardTile tiles[kTileCount];
    for (int i = 0; i < kTileCount; ++i)
        tiles[i] = {PlaySet[i].x, PlaySet[i].y, PlaySet[i].orientation};
    RecordPuzzle(Current(), tiles, PlaySet[4].mirrored);
    ShowPuzzleInPanel(Current());
    Panel.DrawPanel(ScreenBuffer.dc);
    ComposeIfOverlay();
    SavePack();
}

void NextOrNew()
{
    if (Current() < PackCount() && Current() < kPuzzlesPerPack - 1)
        ++Current();
    if (Current() == PackCount())
        ClearPuzzleRecord(Current()); // the empty slot
    ShowPuzzleInPanel(Current());
    ComposeIfOverlay();
}

void DeleteFollowing(plat::Window* window)
{
    MessageBoxActive = true;
    plat::MessageResult answer = plat::ShowMessageBox(
        window, "Are you sure you want to delete all puzzles following the current puzzle?",
        "Confirm", plat::MessageIcon::Question, plat::MessageButtons::YesNo);
    if (answer == plat::MessageResult::Yes) {
        if (Current() < PackCount())
            PuzzlePack.block.count = static_cast<std::int8_t>(Current() + 1);
        SavePack();
    }
    MessageBoxActive = false;
}

void FinishEditSwitch(plat::Window* window)
{
    Panel.DrawStatusLine();
    RenderScreen(0, 0, kLayerWidth, kLayerHeight);
    if (window) {
        plat::InvalidateRect(window);
        plat::UpdateWindow(window);
    }
}

void CloseEditRow(plat::Window* window)
{
    Panel.editMode = !Panel.editMode;
    RelabelEditEntry("Enable Toolbar");
    LeaveEmptySlot();
    FinishEditSwitch(window);
}

} // namespace

bool RunPanelAction(plat::Window* window, PanelButton button)
{
    switch (button) {
    case kExpandButton:
        Panel.expanded = !Panel.expanded;
        GameSettings.previewExpanded = Panel.expanded ? 1 : 0;
        return true; // the panel may grow past its old area or be pushed up from the bottom
    case kNextIncompleteButton:
        NextIncomplete(window);
        return true;
    case kNumberButton:
        if (!DialogOpeners.browserFromPanel)
            return false;
        DialogOpeners.browserFromPanel(window);
        return true;
    case kPreviousButton:
        Previous();
        return true;
    case kStoreButton:
        Store();
        return true;
    case kNextNewButton:
        NextOrNew();
        return true;
    case kDeleteButton:
        DeleteFollowing(window);
        return false;
    case kCloseEditButton:
        CloseEditRow(window);
        return true;
    default:
        return false;
    }
}

void SwitchEditToolbar(plat::Window* window)
{
    // Only the custom pack is edited on the board: its entry is greyed for the others, and a
    // command sent past the menu must not let the store button overwrite a shipped pack.
    if (!Panel.editMode && GameSettings.currentPack != CustomPackIndex)
        return;
    Panel.editMode = !Panel.editMode;
    RelabelEditEntry(Panel.editMode ? "Disable Toolbar" : "Enable Toolbar");
    LeaveEmptySlot();
    FinishEditSwitch(window);
}
