// The puzzle browser: the list of puzzles with thumbnails, the pack list, OK and double tap,
// tap-and-hold with "Clear Selected" and "Clear All", and bringing the chosen puzzle onto the board.
#include "ui/puzzle_browser.h"

#include <cstdio>
#include <vector>

#include "app/layers.h"
#include "app/render.h"
#include "app/shell_state.h"
#include "data/progress.h"
#include "data/puzzle_pack.h"
#include "data/settings.h"
#include "game/board.h"
#include "game/hints.h"
#include "game/preview_panel.h"
#include "platform/dialog.h"
#include "platform/drop_down.h"
#include "platform/list_view.h"
#include "platform/message_box.h"
#include "platform/popup_menu.h"
#include "platform/window.h"
#include "resources/command_ids.h"
#include "resources/dialogs.h"
#include "resources/menus.h"
#include "tiles/tile_set.h"

int LastTappedRow = -1;
bool PackChanged = false;
int HeldRow = -1;

namespace {

using plat::ListColumn;
using plat::ListHit;
using plat::ListViewControl;

constexpr int kListWidthMargin = 5; // the list leaves this much of the client's width free
constexpr int kParallelogram = 4;
constexpr int kMenuGap = 6;         // between the held point and the pop-up menu

struct Column {
    const char* title;
    int width;
    unsigned align;
};
constexpr Column kColumns[] = {
    {"", 99, plat::kTextLeft},
    {"X", 20, plat::kTextCenter},
    {"Time", 65, plat::kTextCenter},
    {"Hints", 40, plat::kTextCenter},
};

// One run of the dialog.
struct Browser {
    ListViewControl* list = nullptr;
    bool closed = false; // the dialog closed itself (not ended by a quit)
};

int& Current()
{
    return GameSettings.currentPuzzle;
}

std::vector<std::unique_ptr<plat::Bitmap>> MakeThumbnails()
{
    std::vector<std::unique_ptr<plat::Bitmap>> images;
    for (int i = 0; i < PackCount(); ++i)
        images.push_back(MakeThumbnail(PuzzlePack.block.puzzles[i]));
    return images;
}

void MakePuzzleList(plat::Dialog& dialog, Browser& b)
{
    plat::Rect client = plat::ClientRect(dialog.window());
    plat::Control* made = dialog.addControl({plat::ControlKind::ListView, plat::kNoId, "", {}},
                                            {0, 0, client.width - kListWidthMargin, client.height});
    b.list = static_cast<ListViewControl*>(made);
    if (!b.list)
        return;
    b.list->setImages(MakeThumbnails());
    std::vector<ListColumn> columns;
    for (const Column& c : kColumns)
        columns.push_back({c.title, c.width, c.align});
    b.list->setColumns(std::move(columns));
    b.list->setCellSource([](int row, int column) {
        return plat::ListCell{BrowserCellText(row, column), column == 0 ? row : -1};
    });
    b.list->setRowCount(PackCount());
    b.list->ensureVisible(Current());
    b.list->setFocusedRow(Current());
    dialog.focus(b.list);
}

void OnInit(plat::Dialog& dialog, Browser& b)
{
    ClockPaused = true;
    auto* packs = static_cast<plat::DropDownControl*>(dialog.control(kIdPackList));
    std::vector<std::string> names;
    for (const PackTableEntry& pack : PackTable)
        names.push_back(pack.displayName);
    packs->setItems(std::move(names));
    packs->select(GameSettings.currentPack);
    MakePuzzleList(dialog, b);
}

// Closes the dialog for good, or (reopen) only to show it again for another pack.
void Close(plat::Dialog& dialog, Browser& b, bool reopen)
{
    ReopenBrowser = reopen;
    if (!reopen)
        PackChanged = false;
    b.closed = true;
    dialog.end(plat::kIdOk);
}

void BringPuzzleOntoBoard()
{
    ResetHintState();
    ShowPuzzleInPanel(Current());
    Panel.DrawPanel(ScreenBuffer.dc);
    if (!TilesAtHome) {
        ArrangeTilesAtHome(MainWindow);
        RebuildBoard(true);
    }
    ComposeBoard(0, 0, kLayerWidth, kLayerHeight);
    RenderScreen(0, 0, kLayerWidth, kLayerHeight);
}

// Closes the dialog; a row that is not the puzzle on the board (or any row after a pack switch)
// becomes the current puzzle.
void CloseChoosing(plat::Dialog& dialog, Browser& b, int row)
{
    bool stay = row < 0 || (!PackChanged && row == Current());
    if (!stay)
        Current() = row;
    Close(dialog, b, false);
    if (!stay)
        BringPuzzleOntoBoard();
}

void OnOk(plat::Dialog& dialog, Browser& b)
{
    SaveProgress();
    CloseChoosing(dialog, b, LastTappedRow);
}

void OnPackListClosed(plat::Dialog& dialog, Browser& b)
{
    int chosen = static_cast<plat::DropDownControl*>(dialog.control(kIdPackList))->selected();
    if (chosen < 0 || chosen == GameSettings.currentPack)
        return;
    PackChanged = true;
    SaveProgress(); // still the old pack's
    GameSettings.currentPack = chosen;
    Panel.editMode = false;
    Current() = 0;
    LastTappedRow = 0;
    LoadPack();
    Close(dialog, b, true);
}

void Tapped(ListViewControl& list, int row)
{
    if (row >= 0)
        LastTappedRow = row;
    list.setFocusedRow(LastTappedRow);
}

void ClearSelected(plat::Dialog&, Browser& b)
{
    ResetProgressRecord(HeldRow);
    b.list->redrawRow(HeldRow);
    // The handheld ended the gesture with a tap at the held point: the held row is tapped.
    b.list->setSelected(HeldRow);
    Tapped(*b.list, HeldRow);
    SaveProgress();
}

void ClearAll(plat::Dialog& dialog, Browser& b)
{
    MessageBoxActive = true;
    plat::MessageResult answer = plat::ShowMessageBox(
        dialog.window(), "Are you sure you want to reset the data for all puzzles in this puzzle pack?",
        "Confirm", plat::MessageIcon::Question, plat::MessageButtons::YesNo);
    MessageBoxActive = false;
    if (answer != plat::MessageResult::Yes)
        return;
    for (int i = 0; i < PackCount(); ++i)
        ResetProgressRecord(i);
    b.list->invalidate(); // every row shown, the partly shown one too
    SaveProgress();
}

// Menu 302 centred under the held point (above it when there is no room below); lifting the pen
// where it was held keeps the menu open.
int TrackListMenu(plat::Point screen)
{
    auto menu = LoadMenuResource(kMenuBrowserList);
    const plat::Menu* popup = plat::SubMenu(menu.get(), 0);
    if (!popup)
        return 0;
    plat::Size size = plat::PopupMenuSize(*popup);
    plat::TrackOptions options;
    options.source = {screen.x - kMenuGap, screen.y - kMenuGap, 2 * kMenuGap + 1, 2 * kMenuGap + 1};
    plat::Point anchor{screen.x - size.width / 2, screen.y + kMenuGap};
    if (anchor.y + size.height > plat::kScreenHeight - plat::kMenuBarHeight) {
        options.anchorIsBottomLeft = true;
        anchor.y = screen.y - kMenuGap;
    }
    return plat::TrackPopupMenu(*popup, anchor, options);
}

void OnHold(plat::Dialog& dialog, Browser& b)
{
    // The list lies at the dialog's top-left corner: its points are the dialog's.
    plat::Point at = b.list->penPoint();
    ListHit hit = at.y < ListViewControl::kHeaderHeight ? ListHit{} : b.list->hitTest(at);
    HeldRow = hit.row;
    if (HeldRow < 0)
        return;
    b.list->setFocusedRow(HeldRow);
    plat::UpdateWindow(b.list->window());
    int command = TrackListMenu(plat::ClientToScreen(b.list->window(), at));
    b.list->redrawRow(HeldRow);
    if (command == kCommandClearSelected)
        ClearSelected(dialog, b);
    else if (command == kCommandClearAll)
        ClearAll(dialog, b);
}

void OnListNotify(plat::Dialog& dialog, Browser& b, std::intptr_t code)
{
    ListHit hit = b.list->hitTest(b.list->penPoint());
    switch (code) {
    case plat::kNotifyTap:
        Tapped(*b.list, hit.row);
        break;
    case plat::kNotifySelect: // the keys moved the marks: as a tap on that row
        Tapped(*b.list, b.list->selected());
        break;
    case plat::kNotifyActivate:
        // Only a double tap on a row's picture or number chooses; the other columns do nothing.
        if (hit.row >= 0 && hit.column == 0)
            CloseChoosing(dialog, b, b.list->selected());
        break;
    case plat::kNotifyHold:
        OnHold(dialog, b);
        break;
    default:
        break;
    }
}

bool BrowserProc(plat::Dialog& dialog, const plat::Message& message, Browser& b)
{
    if (message.msg == plat::Msg::InitDialog) {
        OnInit(dialog, b);
        return true;
    }
    if (message.msg != plat::Msg::Command || dialog.ended())
        return false;
    if (b.list && message.other == b.list->window())
        OnListNotify(dialog, b, message.value);
    else if (message.id == kIdPackList && message.value == plat::kNotifyCloseUp)
        OnPackListClosed(dialog, b);
    else if (message.id == plat::kIdOk || message.id == plat::kIdCancel)
        OnOk(dialog, b); // the only way out; a pack switch must reach the board
    else
        return false;
    return true;
}

// The opening protocol: no row tapped yet, the input-panel button shown while the browser runs.
// False when the window went meanwhile (the program is ending).
bool OpenBrowser(plat::Window* window)
{
    LastTappedRow = -1;
    plat::SetInputPanelButton(true);
    RunPuzzleBrowser(window);
    plat::SetInputPanelButton(false);
    return plat::IsWindowAlive(window);
}

void FinishOnBoard(plat::Window* window)
{
    Panel.DrawStatusLine();
    RenderScreen(0, 0, kLayerWidth, kLayerHeight);
    plat::InvalidateRect(window);
    plat::UpdateWindow(window);
}

} // namespace

std::unique_ptr<plat::Bitmap> MakeThumbnail(const PuzzleRecord& record)
{
    auto image = plat::CreateScreenBitmap(kThumbnailWidth, kThumbnailHeight);
    plat::DrawContext dc(image.get());
    plat::FillRect(dc, {0, 0, kThumbnailWidth, kThumbnailHeight}, plat::Brush{plat::kWhite});
    if (!CheckSet.sprites[0])
        return image;
    int right = 0, bottom = 0;
    for (int j = 0; j < kTileCount; ++j) {
        const plat::Bitmap* shape = CheckSet[j].images[OrientationOf(record, j)];
        right = std::max(right, record.x[j] + (shape ? shape->width() : 0));
        bottom = std::max(bottom, record.y[j] + (shape ? shape->height() : 0));
    }
    int ox = (kThumbnailWidth - right) / 2, oy = (kThumbnailHeight - bottom) / 2;
    if (CheckSet[kParallelogram].mirrored != (record.mirrored != 0))
        CheckSet[kParallelogram].flipVertical(nullptr);
    for (int j = 0; j < kTileCount; ++j) {
        CheckSet[j].place(record.x[j] + ox, record.y[j] + oy, OrientationOf(record, j));
        CheckSet[j].draw(dc, kBackdropBackground);
    }
    return image;
}

std::string BrowserCellText(int row, int column)
{
    if (row < 0 || row >= kProgressRecordCount)
        return {};
    const ProgressRecord& progress = PuzzlePack.progress[row];
    char text[32];
    int seconds = progress.seconds;
    switch (column) {
    case 0: std::snprintf(text, sizeof text, " #%03d", row); break;
    case 1: return progress.solved ? "X" : "-";
    case 2: std::snprintf(text, sizeof text, "%02d:%02d:%02d", seconds / 3600, seconds % 3600 / 60, seconds % 60); break;
    case 3: std::snprintf(text, sizeof text, "%01d", static_cast<int>(progress.hints)); break;
    default: return {};
    }
    return text;
}

void RunPuzzleBrowser(plat::Window* owner)
{
    ReopenBrowser = true;
    while (ReopenBrowser) {
        Browser b;
        plat::RunModalDialog(*LoadDialogResource(kDialogPuzzleBrowser), owner,
                             [&b](plat::Dialog& dialog, const plat::Message& message) {
                                 return BrowserProc(dialog, message, b);
                             });
        // Ended from outside (the program is quitting) or never shown: not again.
        if (!b.closed) {
            ReopenBrowser = false;
            PackChanged = false;
        }
    }
}

void RunPuzzlesCommand(plat::Window* window)
{
    SelectTile(window, -1);
    if (!OpenBrowser(window))
        return;
    if (GameSettings.overlayShown) {
        BuildOverlay();
        ComposeBoard(0, 0, kLayerWidth, kLayerHeight);
    }
    ResetHintCounter();
    FinishOnBoard(window);
}

void OpenBrowserFromPanel(plat::Window* window)
{
    if (!OpenBrowser(window))
        return;
    if (GameSettings.overlayShown)
        ComposeBoard(0, 0, kLayerWidth, kLayerHeight);
    ResetHintState();
    FinishOnBoard(window);
}
