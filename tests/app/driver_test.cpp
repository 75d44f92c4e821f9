// End to end through the scripted driver: the real game, headless, in a folder of its own.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "app/entry.h"
#include "app/menu_bar.h"
#include "game/board.h"
#include "platform/files.h"
#include "platform/single_instance.h"
#include "platform/window.h"
#include "support/driver_fixture.h"

using testsupport::Driver;
using testsupport::DriveRun;
using testsupport::kTopBar;
using testsupport::RunProgram;
using testsupport::TileState;

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
    // The game ends while "Congratulations!!!!" is still open: the solve is saved all the same.
    const std::string arranged = folder.read("zentiles.cfg");
    DriveRun unanswered = drive(drags.str());
    ASSERT_NE(unanswered.output.find("msgbox caption=Congratulations!!!!"), std::string::npos) << unanswered.output;
    EXPECT_EQ(folder.read("freeware.sdb").substr(0, 1), "\x01") << "solved before the box was answered";
    folder.write("zentiles.cfg", arranged);
    std::filesystem::remove(folder.file("freeware.sdb"));

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

// Closing the game (end of the script, or the quit command) while a start-up box is open: the box
// came before the board and the progress existed, so nothing is written; commands sent meanwhile
// find no board to act on.
TEST_F(Driver, ClosingDuringAStartUpBoxWritesNothingAndCommandsWaitForTheBoard)
{
    installSquarePack();
    std::string progress(1200, '\0');
    progress[0] = 1;   // puzzle 0 solved
    progress[4] = 42;  // in 42 seconds
    folder.write("freeware.sdb", progress);
    const std::string settings = folder.read("zentiles.cfg");
    // Left by a save that was killed (no process has that number), and one of a running writer.
    folder.write(".freeware.sdb.tmp99999999_1", "stale");
    const std::string live = ".freeware.sdb.tmp" + std::to_string(getpid()) + "_1";
    folder.write(live, "being written");
    std::filesystem::remove(folder.file("freeware.zdb"));
    for (const char* script : {"command 40086\ncommand 40088\ntap 100 250\n", "state\nquit\n"}) {
        DriveRun run = drive(script);
        EXPECT_EQ(run.exitCode, 0) << script << run.output;
        ASSERT_FALSE(run.lines.empty());
        EXPECT_EQ(run.lines[0], "msgbox caption=ERROR text=File Not Found! buttons=ok");
        EXPECT_TRUE(folder.read("freeware.sdb") == progress) << script;
        EXPECT_TRUE(folder.read("zentiles.cfg") == settings) << script;
    }
    EXPECT_FALSE(std::filesystem::exists(folder.file(".freeware.sdb.tmp99999999_1")));
    EXPECT_TRUE(std::filesystem::exists(folder.file(live)));

    folder.write("freeware.zdb", std::string(2203, '\x05')); // wrong check bytes
    DriveRun rejected = drive("command 40086\n");
    EXPECT_EQ(rejected.exitCode, 0) << rejected.output;
    EXPECT_NE(rejected.output.find("text=Invalid File Format"), std::string::npos) << rejected.output;
    EXPECT_TRUE(folder.read("freeware.sdb") == progress);
    EXPECT_TRUE(folder.read("zentiles.cfg") == settings);

    std::filesystem::remove(folder.file("zentiles.cfg"));
    DriveRun first = drive("command 40088\n");
    EXPECT_EQ(first.exitCode, 0) << first.output;
    EXPECT_FALSE(std::filesystem::exists(folder.file("zentiles.cfg")));
    EXPECT_TRUE(folder.read("freeware.sdb") == progress);
}

// Files the game can open but not replace: the start says "File Not Found!" and the game runs on
// the shipped look; at exit each failed save shows its box until it is answered, and the files
// stay as they were.
TEST_F(Driver, AFailedSaveAtExitIsShownUntilAnswered)
{
    installSquarePack();
    folder.write("freeware.sdb", std::string(1200, '\x02'));
    for (const char* name : {"zentiles.cfg", "freeware.sdb"})
        ASSERT_EQ(chmod(folder.file(name).c_str(), 0444), 0);
    const std::string settings = folder.read("zentiles.cfg");
    DriveRun run = drive("answer ok\nstate\nquit\nanswer ok\nanswer ok\n");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    std::vector<std::string> shown;
    for (const std::string& line : run.lines)
        if (line.rfind("msgbox ", 0) == 0)
            shown.push_back(line.substr(line.find("text=")));
    EXPECT_EQ(shown, (std::vector<std::string>{"text=File Not Found! buttons=ok", "text=FileCreateError buttons=ok",
                                               "text=FileCreateError buttons=ok"}))
        << run.output;
    EXPECT_EQ(tilesOf(lastState(run)).size(), 7u) << "the board came up all the same";
    EXPECT_TRUE(folder.read("zentiles.cfg") == settings);
    EXPECT_TRUE(folder.read("freeware.sdb") == std::string(1200, '\x02'));
}

// Pictures and textures that are FIFOs, or huge: the start neither waits for ever nor costs
// what the file weighs (an 8192 x 8192 picture is 256 MB of pixels; the board shows 240 x 280).
TEST_F(Driver, HostilePicturesNeitherHangNorCostTheirWeight)
{
    installSquarePack();
    for (const char* sub : {"Bitmaps", "Textures"}) {
        std::filesystem::create_directory(folder.file(sub));
        ASSERT_EQ(mkfifo(folder.file(std::string(sub) + "/pipe.bmp").c_str(), 0666), 0);
    }
    // A 32-bit picture whose rows are one sparse hole: big on paper, nothing on disk.
    std::string header = std::string("BM") + std::string(8, '\0') + std::string("\x36\0\0\0", 4) +
                         std::string("\x28\0\0\0\0\x20\0\0\0\x20\0\0\x01\0\x20\0", 16) + std::string(24, '\0');
    folder.write("Bitmaps/huge.bmp", header);
    std::filesystem::resize_file(folder.file("Bitmaps/huge.bmp"), 54 + 8192ull * 8192 * 4);
    std::filesystem::create_symlink("../Bitmaps/huge.bmp", folder.file("Textures/huge.bmp"));
    struct Case {
        int tileFill, backgroundFill;
        const char *tileName, *backgroundName;
    };
    for (const Case& c : {Case{2, 1, "pipe.bmp", "huge.bmp"}, Case{1, 1, "huge.bmp", "pipe.bmp"},
                          Case{2, 1, "huge.bmp", "huge.bmp"}}) {
        GameSettingsRecord record = ShippedSettings();
        record.tileFill = c.tileFill;
        record.backgroundFill = c.backgroundFill;
        SetSettingsFileName(c.tileFill == 2 ? record.textureFile : record.tileBitmapFile, c.tileName);
        SetSettingsFileName(record.backgroundBitmapFile, c.backgroundName);
        folder.write("zentiles.cfg", std::string(reinterpret_cast<const char*>(&record), sizeof record));
        DriveRun run = drive("state\n");
        EXPECT_EQ(run.exitCode, 0) << c.tileName << ": " << run.output;
        EXPECT_EQ(tilesOf(lastState(run)).size(), 7u) << run.output;
        EXPECT_LT(run.maxResidentKb, 200 * 1024) << c.tileName << " as tiles, " << c.backgroundName << " behind";
    }
}

// Without a display the game refuses to run unseen (it would hold its folder against every later
// start); a second copy that hands over to a running one says so.
TEST(GameProgram, RefusesToRunUnseenAndAHandOverIsReported)
{
    testsupport::TempFolder folder;
    std::filesystem::copy_file(std::string(ZENTILES_BINARY_DIR) + "/zentiles", folder.file("zentiles"));
    std::filesystem::permissions(folder.file("zentiles"), std::filesystem::perms::owner_all);
    DriveRun unseen = RunProgram({folder.file("zentiles")}, folder.file("out.txt"),
                                 {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER", "XDG_RUNTIME_DIR=" + folder.folder()});
    EXPECT_NE(unseen.exitCode, 0) << unseen.output;
    EXPECT_NE(unseen.output.find("no display"), std::string::npos) << unseen.output;
    EXPECT_FALSE(std::filesystem::exists(folder.file("zentiles.cfg"))) << "it did not start";

    // The running copy holds the folder; a second one, under another spelling of it, hands over.
    ASSERT_TRUE(plat::ClaimSingleInstance(folder.folder()));
    ProgramDirectory = folder.folder() + "./";
    testing::internal::CaptureStderr();
    int code = ZentilesMain();
    std::string said = testing::internal::GetCapturedStderr();
    plat::ReleaseSingleInstance();
    ProgramDirectory.clear();
    EXPECT_EQ(code, 0);
    EXPECT_NE(said.find("already runs"), std::string::npos) << said;
}
