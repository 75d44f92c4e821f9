// The board: which tile is selected and in front, the home arrangement, the tile commands and
// the composition of the BoardLayer from background, tile pictures and overlay.
#include "game/board.h"

#include <algorithm>

#include "app/layers.h"
#include "app/render.h"
#include "data/puzzle_pack.h"
#include "data/settings.h"
#include "app/shell_state.h"
#include "game/hints.h"
#include "platform/window.h"
#include "tiles/tile_set.h"

namespace {

constexpr int kParallelogram = 4;

plat::Rect RectOf(const TileSprite& sprite) { return {sprite.x, sprite.y, sprite.width, sprite.height}; }

void ComposeRect(const plat::Rect& r) { ComposeBoard(r.x, r.y, r.width, r.height); }

void RepaintWholeWindow(plat::Window* window)
{
    if (!window)
        return;
    plat::InvalidateRect(window);
    plat::UpdateWindow(window);
}

} // namespace

void SelectTile(plat::Window* window, int p)
{
    TileSprite* front = ZOrderList[0];
    bool wasSelected = TileSelected;
    plat::Rect formerFront{};
    if (wasSelected) {
        if (p == 0)
            return;
        front->clearSeeThrough();
        front->drawMask(TileMaskLayer.dc);
        formerFront = RectOf(*front);
    }
    if (p >= 0) {
        TileSprite* target = ZOrderList[p];
        target->drawMask(TileMaskLayer.dc);
        target->makeSeeThrough(window);
        BringToFront(p);
        RedrawTileLayer(true);
        ClockPaused = false;
    } else {
        RedrawTileLayer(false);
    }
    if (wasSelected)
        ComposeRect(formerFront);
    if (p >= 0) {
        ComposeRect(RectOf(*ZOrderList[0]));
        TileSelected = true;
    } else {
        TileSelected = false;
    }
    RefreshHintHighlight();
    RenderScreen(0, 0, kLayerWidth, kLayerHeight);
    RepaintWholeWindow(window);
}

int FindTileInZOrder(int tileIndex)
{
    if (tileIndex == -1)
        tileIndex = 0;
    for (int i = 0; i < kTileCount; ++i)
        if (ZOrderList[i] && ZOrderList[i]->tileIndex == tileIndex)
            return i;
    return 0;
}

void ArrangeTilesAtHome(plat::Window* window)
{
    if (!PlaySet[kParallelogram].mirrored)
        PlaySet[kParallelogram].flipHorizontal(window);
    for (const HomePlace& home : kHomePlaces)
        PlaySet[home.tileIndex].place(home.column, home.row, home.orientation);
    TilesAtHome = true;
}

void RedrawTileLayer(bool skipFront)
{
    for (int i = kTileCount - 1; i >= 1; --i)
        ZOrderList[i]->draw(TileLayer.dc, kBackdropBackground);
    if (!skipFront)
        ZOrderList[0]->draw(TileLayer.dc, kBackdropBackground);
}

void ComposeBoard(int x, int y, int w, int h)
{
    const plat::Bitmap* mask = TileMaskLayer.surface.get();
    // Background where no unselected tile lies, black under them.
    plat::MaskBlt(ComposeScratchLayer.dc, x, y, w, h, BackgroundLayer.dc, x, y, mask, x, y,
                  plat::kRopBlackUnderMask);
    // Tile pictures under the tiles, black elsewhere.
    plat::MaskBlt(BoardLayer.dc, x, y, w, h, TileLayer.dc, x, y, mask, x, y,
                  plat::kRopSourceOrBlack);
    // The two halves joined.
    plat::MaskBlt(BoardLayer.dc, x, y, w, h, ComposeScratchLayer.dc, x, y, mask, x, y,
                  plat::kRopOrUnderMask);
    if (GameSettings.overlayShown == 1 && CurrentPuzzleExists())
        plat::MaskBlt(BoardLayer.dc, x, y, w, h, BoardLayer.dc, x, y, OverlayMaskLayer.surface.get(),
                      x, y, plat::kRopBrushUnderMask);
}

void RebuildBoard(bool clearTileLayer)
{
    plat::FillRect(TileMaskLayer.dc, {0, 0, kLayerWidth, kLayerHeight}, plat::Brush{plat::kBlack});
    if (clearTileLayer)
        plat::FillRect(TileLayer.dc, {0, 0, kLayerWidth, kLayerHeight}, plat::Brush{plat::kBlack});
    for (int i = kTileCount - 1; i >= 0; --i)
        ZOrderList[i]->drawMask(TileMaskLayer.dc);
    RedrawTileLayer(TileSelected);
    ComposeBoard(0, 0, kLayerWidth, kLayerHeight);
    RenderScreen(0, 0, kLayerWidth, kLayerHeight);
}

plat::Point CenteringOffset(std::span<const CenteringItem> items)
{
    int left = kBoardColumns, top = kBoardRows, right = -1, bottom = -1;
    for (const CenteringItem& item : items) {
        left = std::min(left, item.column);
        top = std::min(top, item.row);
        right = std::max(right, item.column + item.width / 7);
        bottom = std::max(bottom, item.row + item.height / 7);
    }
    return {(left - right + kBoardColumns) / 2 - left, (top - bottom + kBoardRows) / 2 - 1 - top};
}

void CenterTiles()
{
    CenteringItem items[kTileCount];
    GridPosition at[kTileCount];
    for (int i = 0; i < kTileCount; ++i) {
        at[i] = PlaySet[i].gridPosition();
        items[i] = {at[i].column, at[i].row, PlaySet[i].width, PlaySet[i].height};
    }
    plat::Point shift = CenteringOffset(items);
    for (int i = 0; i < kTileCount; ++i)
        PlaySet[i].place(at[i].column + shift.x, at[i].row + shift.y, at[i].orientation);
    RebuildBoard(false);
}

bool RunTileCommand(plat::Window* window, int command)
{
    TileSprite* selected = TileSelected ? ZOrderList[0] : nullptr;
    switch (command) {
    case kCommandRotateClockwise:
        if (selected)
            selected->rotateClockwise(window);
        return true;
    case kCommandRotateCounterClockwise:
        if (selected)
            selected->rotateCounterClockwise(window);
        return true;
    case kCommandMirror:
        if (selected)
            selected->flipHorizontal(window);
        return true;
    case kCommandFlip:
        if (selected)
            selected->flipVertical(window);
        return true;
    case kCommandClearCenter:
        if (selected) {
            selected->clearSeeThrough();
            TileSelected = false;
        }
        ArrangeTilesAtHome(window);
        RebuildBoard(true);
        if (window)
            plat::InvalidateRect(window);
        return true;
    case kCommandCenterTiles:
        SelectTile(window, -1);
        CenterTiles();
        RepaintWholeWindow(window);
        return true;
    default:
        return false;
    }
}

void DragStep(plat::Window* window, int penX, int penY)
{
    TilesAtHome = false;
    int dx = (penX - PenAnchor.x) / 7;
    int dy = (penY - PenAnchor.y) / 7;
    ZOrderList[0]->moveBy(window, dx, dy);
    PenAnchor.x += 7 * dx;
    PenAnchor.y += 7 * dy;
}
