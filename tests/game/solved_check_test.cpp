// The solved check: solutions match wherever they lie, equal tiles may swap, shape and extent count.
#include <gtest/gtest.h>

#include "game/solved_check.h"
#include "support/game_fixture.h"
#include "support/square_puzzle.h"

using testsupport::GameFixture;

namespace {

class SolvedCheck : public GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        PuzzlePack.block.count = 1;
        PuzzlePack.block.puzzles[0] = testsupport::SquarePuzzle();
        GameSettings.currentPuzzle = 0;
    }
    // Lays the play tiles out as the record says, shifted by whole cells.
    void layOut(const PuzzleRecord& record, int dx, int dy)
    {
        if (PlaySet[4].mirrored != (record.mirrored != 0))
            PlaySet[4].flipVertical(nullptr);
        for (int i = 0; i < kTileCount; ++i)
            put(i, record.x[i] + dx, record.y[i] + dy, OrientationOf(record, i));
    }
};

} // namespace

TEST_F(SolvedCheck, TheSquareTilesMeetWithoutOverlapAtBothScales)
{
    const PuzzleRecord record = testsupport::SquarePuzzle();
    // At grid unit 7 no pixel lies under two tiles, and together they fill an 84 x 84 square.
    auto coverage = plat::CreateMonoBitmap(100, 100);
    plat::DrawContext dc(coverage.get());
    int covered = 0;
    for (int i = 0; i < kTileCount; ++i) {
        put(i, record.x[i], record.y[i], OrientationOf(record, i));
        const plat::Bitmap& mask = *PlaySet[i].currentMask();
        for (int y = 0; y < mask.height(); ++y)
            for (int x = 0; x < mask.width(); ++x)
                if (mask.pixelValue(x, y)) {
                    ASSERT_EQ(coverage->pixelValue(PlaySet[i].x + x, PlaySet[i].y + y), 0u)
                        << "tile " << i << " overlaps at " << x << "," << y;
                    coverage->setPixelValue(PlaySet[i].x + x, PlaySet[i].y + y, 1);
                    ++covered;
                }
    }
    EXPECT_GT(covered, 80 * 80);
    EXPECT_LE(covered, 84 * 84);
}

TEST_F(SolvedCheck, SolutionAnywhereAndWithEqualTilesSwappedIsSolved)
{
    const PuzzleRecord record = PuzzlePack.block.puzzles[0];
    for (auto [dx, dy] : {std::pair{0, 0}, std::pair{5, 3}, std::pair{20, 25}}) {
        layOut(record, dx, dy);
        EXPECT_TRUE(IsPuzzleSolved()) << dx << "," << dy;
        EXPECT_TRUE(IsPuzzleSolved()) << "a second call answers the same";
    }
    PuzzleRecord swapped = record;
    std::swap(swapped.x[5], swapped.x[6]);
    std::swap(swapped.y[5], swapped.y[6]);
    std::swap(swapped.orientation[5], swapped.orientation[6]);
    std::swap(swapped.x[0], swapped.x[1]);
    std::swap(swapped.y[0], swapped.y[1]);
    std::swap(swapped.orientation[0], swapped.orientation[1]);
    layOut(swapped, 2, 2);
    EXPECT_TRUE(IsPuzzleSolved());
    // One tile one cell off is not.
    put(2, record.x[2] + 3, record.y[2] + 2, OrientationOf(record, 2));
    EXPECT_FALSE(IsPuzzleSolved());
}

TEST_F(SolvedCheck, ParallelogramInTheOtherShapeIsNotSolved)
{
    const PuzzleRecord record = PuzzlePack.block.puzzles[0];
    layOut(record, 1, 1);
    ASSERT_TRUE(IsPuzzleSolved());
    PlaySet[4].flipVertical(nullptr); // the other shape, same place
    put(4, record.x[4] + 1, record.y[4] + 1, OrientationOf(record, 4));
    EXPECT_FALSE(IsPuzzleSolved());
}

TEST_F(SolvedCheck, ExtentPastTheCheckSurfaceOrAnUnnormalisedRecordNeverSolves)
{
    PuzzleRecord wide = testsupport::SquarePuzzle();
    wide.x[6] = 20; // apart from the rest, still inside 35 columns
    PuzzlePack.block.puzzles[0] = wide;
    layOut(wide, 0, 0);
    EXPECT_TRUE(IsPuzzleSolved()) << "identical arrangements cancel inside the surface";
    wide.x[6] = 28; // its image now reaches past column 34
    PuzzlePack.block.puzzles[0] = wide;
    layOut(wide, 0, 0);
    EXPECT_FALSE(IsPuzzleSolved());
    PuzzleRecord tall = testsupport::SquarePuzzle();
    tall.y[5] = 33;
    PuzzlePack.block.puzzles[0] = tall;
    layOut(tall, 0, 0);
    EXPECT_FALSE(IsPuzzleSolved());

    PuzzleRecord shifted = testsupport::SquarePuzzle();
    for (int i = 0; i < kTileCount; ++i)
        ++shifted.x[i]; // smallest x is 1: the player's arrangement always starts at 0
    PuzzlePack.block.puzzles[0] = shifted;
    layOut(shifted, 0, 0);
    EXPECT_FALSE(IsPuzzleSolved());
}
