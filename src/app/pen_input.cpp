// Pen input and painting: pen down selects a tile or takes hold of the panel, pen move drags the
// tile or the panel or tracks a pressed button, pen up drops the tile (and runs the solved check)
// or lets a panel button act; paint copies the ScreenBuffer to the window.
#include "app/pen_input.h"

#include "app/layers.h"
#include "app/panel_actions.h"
#include "app/render.h"
#include "app/shell_state.h"
#include "data/puzzle_pack.h"
#include "game/board.h"
#include "game/clock.h"
#include "game/preview_panel.h"
#include "game/solved_check.h"
#include "platform/window.h"
#include "tiles/tile_set.h"

namespace {

// The order in which pen moves and releases examine the armed buttons; the edit row's only in
// editMode.
constexpr PanelButton kTrackOrder[] = {kExpandButton,   kNextIncompleteButton, kNumberButton,
                                       kPreviousButton, kStoreButton,          kNextNewButton,
                                       kDeleteButton,   kCloseEditButton};
// The order in which a release disarms them.
constexpr PanelButton kDisarmOrder[] = {kNumberButton,  kExpandButton, kNextIncompleteButton,
                                        kPreviousButton, kStoreButton, kNextNewButton,
                                        kDeleteButton,  kCloseEditButton};

bool Live(PanelButton button)
{
    return button < kPreviousButton || Panel.editMode;
}

void InvalidateAll(plat::Window* window)
{
    if (window)
        plat::InvalidateRect(window);
}

void DragPanel(plat::Window* window, int x, int y)
{
    plat::Rect old = Panel.area();
    plat::BitBlt(ScreenBuffer.dc, old.x, old.y, old.width, old.height, &BoardLayer.dc, old.x,
                 old.y, plat::kRopSrcCopy);
    Panel.MovePanelBy(x - PenAnchor.x, y - PenAnchor.y);
    Panel.DrawPanel(ScreenBuffer.dc);
    InvalidateAll(window);
    PenAnchor = {x, y};
}

// Lets the armed button act when the pen is lifted over it, then disarms. Answers whether the
// whole board changed.
bool ReleaseButton(plat::Window* window, int x, int y)
{
    bool wholeBoard = false;
    for (PanelButton button : kTrackOrder) {
        if (Live(button) && Panel.armed[button] && Panel.HitButton(button, x, y)) {
            wholeBoard = RunPanelAction(window, button);
            break;
        }
    }
    for (PanelButton button : kDisarmOrder) {
        if (Panel.armed[button]) {
            Panel.armed[button] = false;
            Panel.HitButton(button, -1, -1);
            return wholeBoard;
        }
    }
    Panel.dragArmed = false;
    return wholeBoard;
}

} // namespace

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
    bool onPanel = Panel.PanelPenDown(x, y);
    if (onPanel || !hit)
        SelectTile(window, -1);
}

void PenMove(plat::Window* window, int x, int y)
{
    if (TileSelected) {
        DragStep(window, x, y);
        return;
    }
    if (Panel.dragArmed) {
        DragPanel(window, x, y);
        return;
    }
    for (PanelButton button : kTrackOrder) {
        if (Live(button) && Panel.armed[button]) {
            Panel.HitButton(button, x, y); // pressed exactly while the pen is over it
            RenderScreen(0, 0, kLayerWidth, kLayerHeight);
            InvalidateAll(window);
            return;
        }
    }
}

namespace {

plat::Rect PanelArea()
{
    return {Panel.x, Panel.y, Panel.width, Panel.bodyHeight + 22};
}

void RenderAndRefresh(plat::Window* window, const plat::Rect& refresh)
{
    RenderScreen(0, 0, kLayerWidth, kLayerHeight);
    if (!window)
        return;
    if (!refresh.isEmpty())
        plat::InvalidateRect(window, refresh);
    plat::UpdateWindow(window);
}

} // namespace

void PenUp(plat::Window* window, int x, int y)
{
    if (!TileSelected && (Panel.dragArmed || Panel.armedButton() >= 0)) {
        bool wholeBoard = ReleaseButton(window, x, y);
        RenderAndRefresh(window, wholeBoard ? plat::Rect{0, 0, kLayerWidth, kLayerHeight} : PanelArea());
        return;
    }
    FinishTileMove(window);
}

void FinishTileMove(plat::Window* window)
{
    plat::Rect refresh = PanelArea();
    if (TileSelected) {
        ZOrderList[0]->clampToBoard();
        if (const ProgressRecord* progress = CurrentPuzzleProgress();
            progress && !progress->solved && IsPuzzleSolved())
            ShowSolvedMessage(window);
        Panel.DrawStatusLine();
        // The dropped tile may have been clamped back: its place is repainted with the panel's.
        if (TileSelected)
            refresh = refresh.united({ZOrderList[0]->x, ZOrderList[0]->y, ZOrderList[0]->width,
                                      ZOrderList[0]->height});
    }
    RenderAndRefresh(window, refresh);
}

void PaintMainWindow(plat::Window* window)
{
    plat::PaintContext paint = plat::BeginPaint(window);
    plat::BitBlt(paint.dc, 0, 0, kLayerWidth, kLayerHeight, &ScreenBuffer.dc, 0, 0, plat::kRopSrcCopy);
    plat::EndPaint(window, paint);
}
