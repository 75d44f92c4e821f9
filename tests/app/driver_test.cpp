// End to end through the scripted driver: the real game, headless, in a folder of its own.
#include <gtest/gtest.h>

#include "app/menu_bar.h"
#include "game/board.h"
#include "support/driver_fixture.h"

using testsupport::Driver;
using testsupport::TileState;
using testsupport::DriveRun;
using testsupport::kTopBar;


TEST_F(Driver, FirstStartInAnEmptyFolderReportsMissingFilesAndWritesSettings)
{
    DriveRun run = drive("answer ok\nanswer ok\nstate\n");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    ASSERT_GE(run.lines.size(), 3u) << run.output;
    EXPECT_EQ(run.lines[0], "msgbox caption=ERROR text=File Not Found! buttons=ok"); // settings
    EXPECT_EQ(run.lines[1], "msgbox caption=ERROR text=File Not Found! buttons=ok"); // pack
    EXPECT_NE(lastState(run).find("\"count\":0"), std::string::npos);
    EXPECT_EQ(folder.read("zentiles.cfg").size(), 1808u);

    DriveRun bad = drive("tap 10\n");
    EXPECT_NE(bad.exitCode, 0);
    EXPECT_NE(bad.output.find("line 1"), std::string::npos) << bad.output;
}

TEST_F(Driver, TilesStartAtHomeDragInStepsAndTheLayoutSurvivesARestart)
{
    installSquarePack();
    DriveRun start = drive("state\n");
    ASSERT_EQ(start.exitCode, 0) << start.output;
    auto tiles = tilesOf(lastState(start));
    ASSERT_EQ(tiles.size(), 7u) << start.output;
    for (const HomePlace& home : kHomePlaces) {
        EXPECT_EQ(tiles[static_cast<std::size_t>(home.tileIndex)].x, 7 * home.column);
        EXPECT_EQ(tiles[static_cast<std::size_t>(home.tileIndex)].y, 7 * home.row);
    }
    EXPECT_TRUE(tiles[4].mirrored);

    // 6 pixels do not move the square; 13 move it one step; ctrl+q closes and saves.
    plat::Point p = pickPoint(tiles, 3);
    std::ostringstream script;
    script << "down " << p.x << " " << p.y + kTopBar << "\nmove " << p.x + 6 << " " << p.y + kTopBar
           << "\nstate\nmove " << p.x + 13 << " " << p.y + kTopBar << "\nup " << p.x + 13 << " "
           << p.y + kTopBar << "\nstate\nkey ctrl+q\n";
    DriveRun drag = drive(script.str());
    ASSERT_EQ(drag.exitCode, 0) << drag.output;
    std::vector<std::string> states;
    for (const std::string& line : drag.lines)
        if (line.rfind("{\"pack\"", 0) == 0)
            states.push_back(line);
    ASSERT_EQ(states.size(), 2u) << drag.output;
    EXPECT_EQ(tilesOf(states[0])[3].x, tiles[3].x);
    EXPECT_EQ(tilesOf(states[1])[3].x, tiles[3].x + 7);
    EXPECT_NE(states[1].find("\"selected\":true"), std::string::npos);
    EXPECT_EQ(folder.read("zentiles.cfg").size(), 1808u);

    DriveRun again = drive("state\n");
    auto restored = tilesOf(lastState(again));
    ASSERT_EQ(restored.size(), 7u);
    EXPECT_EQ(restored[3].x, tiles[3].x + 7);
    EXPECT_TRUE(restored[4].mirrored) << "the parallelogram's mirror survives a restart";
    EXPECT_NE(lastState(again).find("\"clockPaused\":true"), std::string::npos);
}

TEST_F(Driver, DraggingTheSevenTilesIntoTheSquareSolvesIt)
{
    installSquarePack();
    auto tiles = tilesOf(lastState(drive("state\n")));
    ASSERT_EQ(tiles.size(), 7u);
    // Turn the tiles whose home orientation differs, and unmirror the parallelogram.
    std::vector<int> zorder = {0, 1, 2, 3, 4, 5, 6};
    std::string turns;
    for (int tile : {1, 2, 6}) {
        turns += tap(pickPoint(tiles, zorder, tile)) + "command 40003\ncommand 40003\n";
        toFront(zorder, tile);
    }
    turns += tap(pickPoint(tiles, zorder, 4)) + "command 40005\ncommand 40004\ncommand 40004\ncommand 40004\n";
    DriveRun turned = drive(turns + "state\n");
    ASSERT_EQ(turned.exitCode, 0) << turned.output;
    tiles = tilesOf(lastState(turned));
    ASSERT_EQ(tiles.size(), 7u);
    const PuzzleRecord square = testsupport::SquarePuzzle();
    for (int i = 0; i < kTileCount; ++i)
        ASSERT_EQ(tiles[static_cast<std::size_t>(i)].orientation, OrientationOf(square, i)) << "tile " << i;
    EXPECT_FALSE(tiles[4].mirrored);

    // Drag each tile by whole cells to the square's place, seen from cell (10, 5).
    std::ostringstream drags;
    std::vector<TileState> now = tiles;
    zorder = zorderOf(lastState(turned));
    for (int i = 0; i < kTileCount; ++i) {
        plat::Point p = pickPoint(now, zorder, i);
        toFront(zorder, i);
        int dx = 7 * (square.x[i] + 10) - now[static_cast<std::size_t>(i)].x;
        int dy = 7 * (square.y[i] + 5) - now[static_cast<std::size_t>(i)].y;
        drags << "drag " << p.x << " " << p.y + kTopBar << " " << p.x + dx << " " << p.y + kTopBar + dy << "\n";
        now[static_cast<std::size_t>(i)].x += dx;
        now[static_cast<std::size_t>(i)].y += dy;
    }
    DriveRun solved = drive(drags.str() + "state\nanswer ok\nanswer ok\nstate\n");
    ASSERT_EQ(solved.exitCode, 0) << solved.output;
    EXPECT_NE(solved.output.find("msgbox caption=Congratulations!!!!"), std::string::npos) << solved.output;
    EXPECT_NE(solved.output.find("msgbox caption=Puzzle Pack Complete!"), std::string::npos) << solved.output;
    EXPECT_NE(lastState(solved).find("\"solved\":true"), std::string::npos) << solved.output;
    EXPECT_EQ(folder.read("freeware.sdb").size(), 1200u);
    EXPECT_EQ(folder.read("freeware.sdb")[0], 1) << "puzzle 0 saved as solved";
}

TEST_F(Driver, ToolbarButtonsTurnTheSelectedTileAndSendTheTilesHome)
{
    installSquarePack();
    auto tiles = tilesOf(lastState(drive("state\n")));
    ASSERT_EQ(tiles.size(), 7u);
    auto press = [](int command) {
        plat::Rect r = ToolbarButtonRect(command);
        EXPECT_FALSE(r.isEmpty()) << command;
        return "tap " + std::to_string(r.x + r.width / 2) + " " + std::to_string(r.y + r.height / 2) + "\n";
    };
    EXPECT_TRUE(ToolbarButtonRect(40041).isEmpty());
    plat::Point square = pickPoint(tiles, 3);
    plat::Point triangle = pickPoint(tiles, 5);
    std::string script = tap(square) + press(40004) + "state\n" + press(40003) + press(40003) + "state\n" +
                         tap(triangle) + press(40005) + "state\n" + press(40009) + "state\n";
    DriveRun run = drive(script);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    std::vector<std::vector<TileState>> states;
    for (const std::string& line : run.lines)
        if (line.rfind("{\"pack\"", 0) == 0)
            states.push_back(tilesOf(line));
    ASSERT_EQ(states.size(), 4u) << run.output;
    EXPECT_EQ(states[0][3].orientation, (tiles[3].orientation + 1) % 8);
    EXPECT_EQ(states[1][3].orientation, (tiles[3].orientation + 7) % 8);
    EXPECT_EQ(states[2][5].orientation, (8 - tiles[5].orientation) % 8);
    for (const HomePlace& home : kHomePlaces) {
        EXPECT_EQ(states[3][static_cast<std::size_t>(home.tileIndex)].x, 7 * home.column);
        EXPECT_EQ(states[3][static_cast<std::size_t>(home.tileIndex)].orientation, home.orientation);
    }
}
