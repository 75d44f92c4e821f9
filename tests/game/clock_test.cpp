// The clock's counting rules and the texts of the solved message.
#include <gtest/gtest.h>

#include "game/clock.h"
#include "support/game_fixture.h"

using testsupport::GameFixture;

TEST(SolvedMessage, TextsForHintsAndTimes)
{
    EXPECT_EQ(SolvedMessageText(4, 2, 3725),
              "You've solved Puzzle #4!\n\nYou requested 2 hints, and spent 1 hour 2 minutes 5 seconds "
              "working on this puzzle.");
    EXPECT_EQ(SolvedMessageText(0, 0, 60),
              "You've solved Puzzle #0!\n\nYou didn't require any hints, and spent 1 minute working on "
              "this puzzle.");
    EXPECT_EQ(SolvedMessageText(7, 1, 0),
              "You've solved Puzzle #7!\n\nYou requested 1 hint, and spent less than a second solving "
              "this puzzle.\n\nYou didn't cheat, did you?");
    EXPECT_EQ(SolvedMessageText(1, 0, 9),
              "You've solved Puzzle #1!\n\nYou didn't require any hints, and spent less than 10 seconds "
              "solving this puzzle.\n\nYou didn't cheat, did you?");
    EXPECT_EQ(SolvedMessageText(1, 0, 15),
              "You've solved Puzzle #1!\n\nYou didn't require any hints, and spent 15 seconds working on "
              "this puzzle.");
    EXPECT_EQ(SolvedMessageText(2, 3, 7200 + 1),
              "You've solved Puzzle #2!\n\nYou requested 3 hints, and spent 2 hours 1 second working on "
              "this puzzle.");
}

class Clock : public GameFixture {};

TEST_F(Clock, CountsWholeSecondsOnlyWhileRunningAndUnsolved)
{
    PuzzlePack.block.count = 3;
    GameSettings.currentPuzzle = 1;
    ProgressRecord& p = PuzzlePack.progress[1];
    ClockTick(nullptr, 1000); // the first tick only sets the start
    EXPECT_EQ(p.seconds, 0);
    ClockTick(nullptr, 5000); // paused
    ClockPaused = false;
    ClockTick(nullptr, 5999); // 999 ms: nothing, and not carried
    ClockTick(nullptr, 6998);
    EXPECT_EQ(p.seconds, 0);
    ClockTick(nullptr, 9000);
    EXPECT_EQ(p.seconds, 2);
    ClockTick(nullptr, 0xFFFFF000u); // a gap of days stops at 99:59:59
    EXPECT_EQ(p.seconds, kMaxPuzzleSeconds);
    p.seconds = 2;
    ClockTick(nullptr, 3000); // across the wrap of the tick counter: 4096 + 3000 ms
    EXPECT_EQ(p.seconds, 9);
    p.seconds = 10;
    p.solved = 1;
    ClockTick(nullptr, 10000);
    EXPECT_EQ(p.seconds, 10);
}

TEST_F(Clock, SolvedMessageMarksThePuzzleAndReportsACompletePack)
{
    PuzzlePack.block.count = 2;
    GameSettings.currentPuzzle = 0;
    PuzzlePack.progress[0].hints = 2;
    PuzzlePack.progress[0].seconds = 3725;
    ClockPaused = false;
    ShowSolvedMessage(nullptr);
    ASSERT_EQ(boxes.requests().size(), 1u);
    EXPECT_EQ(boxes.requests()[0].caption, "Congratulations!!!!");
    EXPECT_EQ(boxes.requests()[0].text, SolvedMessageText(0, 2, 3725));
    EXPECT_EQ(PuzzlePack.progress[0].solved, 1);
    EXPECT_EQ(HintCounter, 7);
    EXPECT_TRUE(ClockPaused);
    EXPECT_FALSE(MessageBoxActive);

    ShowSolvedMessage(nullptr); // already solved: nothing more is said
    EXPECT_EQ(boxes.requests().size(), 1u);

    GameSettings.currentPuzzle = 1;
    ShowSolvedMessage(nullptr);
    ASSERT_EQ(boxes.requests().size(), 3u);
    EXPECT_EQ(boxes.requests()[2].caption, "Puzzle Pack Complete!");
    EXPECT_EQ(boxes.requests()[2].text,
              "You have solved all of the puzzles in the current puzzle pack.  You may access other "
              "puzzle packs using the puzzle browser's drop down menu.");
}
