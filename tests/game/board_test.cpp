// The board: layer composition by parity, selection, drag steps, centring and the tile commands.
#include <gtest/gtest.h>

#include "app/pen_input.h"
#include "support/game_fixture.h"

using testsupport::GameFixture;
using testsupport::kBackgroundBlue;
using testsupport::kTileRed;

namespace {

constexpr plat::Color kGreen = plat::MakeColor(0, 200, 0);

class Board : public GameFixture {
protected:
    // Spreads the tiles apart in the lower half so tests can stack a few of them on top.
    void spread()
    {
        for (int i = 0; i < kTileCount; ++i)
            put(i, 1 + 4 * i, 30, 0);
    }
    void rebuild() { RebuildBoard(true); }
    std::vector<std::uint32_t> maskBits() const
    {
        std::vector<std::uint32_t> bits;
        for (int y = 0; y < kLayerHeight; ++y)
            for (int x = 0; x < kLayerWidth; ++x)
                bits.push_back(TileMaskLayer.surface->pixelValue(x, y));
        return bits;
    }
};

} // namespace

TEST_F(Board, OverlapParityDecidesBetweenBackgroundAndFrontPicture)
{
    spread();
    // Tile 1 becomes green so the front-most picture can be told apart.
    buildSolidSet(HintSet, kGreen, kMaskNumbers7, 7);
    std::swap(PlaySet.sprites[1], HintSet.sprites[1]);
    ZOrderList[1] = PlaySet.sprites[1].get();
    // The two small triangles exactly on top of each other, then a large triangle under both.
    put(0, 4, 4, 0);
    put(1, 4, 4, 0);
    rebuild();
    int cx = PlaySet[0].x + PlaySet[0].width / 2, cy = PlaySet[0].y + 4;
    ASSERT_TRUE(PlaySet[0].hitTest(cx, cy));
    EXPECT_EQ(board(cx, cy), kBackgroundBlue) << "two tiles cancel";
    put(5, 2, 2, 0);
    rebuild();
    ASSERT_TRUE(PlaySet[5].hitTest(cx, cy));
    // Entry 0 (tile 0, red) is in front of entry 1 (green) and entry 5.
    EXPECT_EQ(board(cx, cy), kTileRed) << "three tiles show the front picture";
    BringToFront(1);
    rebuild();
    EXPECT_EQ(board(cx, cy), kGreen);
    EXPECT_EQ(board(235, 5), kBackgroundBlue);
}

TEST_F(Board, SelectingRecomposesOnlyTheTilesThatMove)
{
    spread();
    put(3, 2, 2, 0); // alone, away from the others
    rebuild();
    plat::FillRect(BoardLayer.dc, {0, 0, kLayerWidth, kLayerHeight}, plat::Brush{kGreen});
    TileSprite* target = ZOrderList[3];
    plat::Rect r{target->x, target->y, target->width, target->height};
    SelectTile(nullptr, 3);
    EXPECT_TRUE(TileSelected);
    EXPECT_EQ(ZOrderList[0], target);
    EXPECT_FALSE(ClockPaused);
    EXPECT_EQ(board(r.x + r.width / 2, r.y + r.height / 2), kBackgroundBlue) << "the tile left the board";
    EXPECT_EQ(board(r.x - 1, r.y), kGreen);
    EXPECT_EQ(board(r.right(), r.bottom()), kGreen);
    // The selected tile is drawn over the board in the screen buffer.
    EXPECT_EQ(screen(r.x + r.width / 2, r.y + r.height - 4) == kTileRed ||
                  screen(r.x + r.width / 2, r.y + r.height - 5) == kTileRed,
              true);

    // Selecting it again changes nothing: the parity mask stays as it is.
    auto before = maskBits();
    SelectTile(nullptr, 0);
    EXPECT_EQ(maskBits(), before);

    // Deselecting puts the mask back; with nothing selected a deselect composes nothing.
    SelectTile(nullptr, -1);
    EXPECT_FALSE(TileSelected);
    plat::FillRect(BoardLayer.dc, {0, 0, kLayerWidth, kLayerHeight}, plat::Brush{kGreen});
    before = maskBits();
    SelectTile(nullptr, -1);
    EXPECT_EQ(maskBits(), before);
    EXPECT_EQ(board(r.x + r.width / 2, r.y + r.height - 4), kGreen);
}

TEST_F(Board, DragStepsAreWholeSevenPixelStepsTowardZero)
{
    spread();
    rebuild();
    put(3, 10, 10, 0);
    rebuild();
    SelectTile(nullptr, FindTileInZOrder(3));
    int x0 = PlaySet[3].x, y0 = PlaySet[3].y;
    PenAnchor = {100, 100};
    struct Step {
        int penX, expectX, anchorX;
    } steps[] = {{106, x0, 100}, {107, x0 + 7, 107}, {120, x0 + 14, 114}, {108, x0 + 14, 114},
                 {107, x0 + 7, 107}};
    for (const Step& s : steps) {
        DragStep(nullptr, s.penX, 100);
        EXPECT_EQ(PlaySet[3].x, s.expectX) << s.penX;
        EXPECT_EQ(PenAnchor.x, s.anchorX) << s.penX;
        EXPECT_EQ(PlaySet[3].y, y0);
    }
    EXPECT_FALSE(TilesAtHome);
    // Dragged far past the edge, the tile stays on the board.
    DragStep(nullptr, 107, 2000);
    EXPECT_LE(PlaySet[3].y + PlaySet[3].height, kBoardHeight + 7);
    EXPECT_EQ(PlaySet[3].y % 7, 0);
}

TEST_F(Board, CenteringMovesEveryTileAlikeAndOnlyOnce)
{
    const CenteringItem one[] = {{0, 0, 84, 84}};
    EXPECT_EQ(CenteringOffset(one), (plat::Point{11, 13}));
    const CenteringItem two[] = {{3, 5, 21, 14}, {10, 2, 42, 42}};
    // Cells 3..16 by 2..8: (3 - 16 + 34) / 2 - 3 = 7, (2 - 8 + 40) / 2 - 1 - 2 = 14.
    EXPECT_EQ(CenteringOffset(two), (plat::Point{7, 14}));

    spread();
    put(6, 0, 0, 3);
    rebuild();
    GridPosition before[kTileCount];
    for (int i = 0; i < kTileCount; ++i)
        before[i] = PlaySet[i].gridPosition();
    CenterTiles();
    GridPosition after[kTileCount];
    for (int i = 0; i < kTileCount; ++i)
        after[i] = PlaySet[i].gridPosition();
    int dx = after[0].column - before[0].column, dy = after[0].row - before[0].row;
    EXPECT_NE(dx * dx + dy * dy, 0);
    for (int i = 0; i < kTileCount; ++i) {
        EXPECT_EQ(after[i].column - before[i].column, dx);
        EXPECT_EQ(after[i].row - before[i].row, dy);
        EXPECT_EQ(after[i].orientation, before[i].orientation);
    }
    CenterTiles();
    for (int i = 0; i < kTileCount; ++i)
        EXPECT_EQ(PlaySet[i].gridPosition(), after[i]);
}

TEST_F(Board, TileCommandsNeedASelectionAndClearCenterSendsEveryTileHome)
{
    spread();
    rebuild();
    GridPosition before = PlaySet[2].gridPosition();
    for (int command : {kCommandRotateClockwise, kCommandRotateCounterClockwise, kCommandMirror, kCommandFlip})
        EXPECT_TRUE(RunTileCommand(nullptr, command));
    EXPECT_EQ(PlaySet[2].gridPosition(), before);
    EXPECT_FALSE(RunTileCommand(nullptr, 40010));

    SelectTile(nullptr, FindTileInZOrder(2));
    RunTileCommand(nullptr, kCommandRotateCounterClockwise);
    EXPECT_EQ(PlaySet[2].orientation, 1);
    RunTileCommand(nullptr, kCommandRotateClockwise);
    RunTileCommand(nullptr, kCommandRotateClockwise);
    EXPECT_EQ(PlaySet[2].orientation, 7);
    RunTileCommand(nullptr, kCommandMirror);
    EXPECT_EQ(PlaySet[2].orientation, 1);
    RunTileCommand(nullptr, kCommandFlip);
    EXPECT_EQ(PlaySet[2].orientation, 3);

    RunTileCommand(nullptr, kCommandClearCenter);
    EXPECT_FALSE(TileSelected);
    EXPECT_TRUE(TilesAtHome);
    EXPECT_TRUE(PlaySet[4].mirrored);
    for (const HomePlace& home : kHomePlaces) {
        EXPECT_EQ(PlaySet[home.tileIndex].x, 7 * home.column) << home.tileIndex;
        EXPECT_EQ(PlaySet[home.tileIndex].y, 7 * home.row) << home.tileIndex;
        EXPECT_EQ(PlaySet[home.tileIndex].orientation, home.orientation) << home.tileIndex;
    }
    // Home again keeps the parallelogram mirrored rather than toggling it back.
    ArrangeTilesAtHome(nullptr);
    EXPECT_TRUE(PlaySet[4].mirrored);
}
