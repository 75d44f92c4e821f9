// The preview panel's buttons, the custom-pack edit row and the hints, end to end through the
// scripted driver.
#include <gtest/gtest.h>

#include <cstring>

#include "support/driver_fixture.h"

namespace {

constexpr int kPanelX = 10;
constexpr int kPanelY = 4;

using testsupport::DriveRun;
using testsupport::kTopBar;

class PanelDriver : public testsupport::Driver {
protected:
    // The shipped settings with another pack and puzzle current, the panel near the top left so
    // that no width of the panel moves it.
    void installSettings(int pack, int puzzle)
    {
        std::ifstream cfg(std::string(ZENTILES_SOURCE_DIR) + "/assets/zentiles.cfg", std::ios::binary);
        GameSettingsRecord settings{};
        cfg.read(reinterpret_cast<char*>(&settings), sizeof settings);
        settings.currentPack = pack;
        settings.currentPuzzle = puzzle;
        settings.previewX = kPanelX;
        settings.previewY = kPanelY;
        folder.write("zentiles.cfg", std::string(reinterpret_cast<const char*>(&settings), sizeof settings));
    }
    // A pack of `count` copies of the square, and its progress with the puzzles given solved.
    void installPack(int pack, int count, const std::vector<int>& solved)
    {
        PackBlock block{};
        block.count = static_cast<std::int8_t>(count);
        block.headCheck = PackTable[pack].headCheck;
        block.tailCheck = PackTable[pack].tailCheck;
        for (int i = 0; i < count; ++i)
            block.puzzles[i] = testsupport::SquarePuzzle();
        folder.write(PackTable[pack].packFile, std::string(reinterpret_cast<const char*>(&block), sizeof block));
        ProgressRecord progress[kProgressRecordCount]{};
        for (int i : solved)
            progress[i].solved = 1;
        folder.write(PackTable[pack].progressFile,
                     std::string(reinterpret_cast<const char*>(progress), sizeof progress));
    }
    static int field(const std::string& state, const std::string& key)
    {
        std::smatch m;
        if (!std::regex_search(state, m, std::regex("\"" + key + "\":(-?\\d+)")))
            return -999;
        return std::stoi(m[1]);
    }
    // The screen point of a panel button, from where the panel lies in a state line.
    static std::string tapPanel(const std::string& state, int px, int py)
    {
        std::smatch m;
        std::regex_search(state, m, std::regex(R"("panel":\{"x":(-?\d+),"y":(-?\d+),"width":(\d+))"));
        int x = std::stoi(m[1]), y = std::stoi(m[2]), w = std::stoi(m[3]);
        if (px < 0)
            px += w;
        return "tap " + std::to_string(x + px) + " " + std::to_string(y + py + kTopBar) + "\n";
    }
    std::vector<std::string> states(const DriveRun& run)
    {
        std::vector<std::string> out;
        for (const std::string& line : run.lines)
            if (line.rfind("{\"pack\"", 0) == 0)
                out.push_back(line);
        return out;
    }
    std::string stateNow() { return lastState(drive("state\n")); }
};

constexpr int kNextIncomplete = 25;
constexpr int kEditRow = 15;

} // namespace

TEST_F(PanelDriver, NextIncompleteWalksToTheNextUnsolvedPuzzle)
{
    std::vector<int> allBut3And9;
    for (int i = 0; i < 15; ++i)
        if (i != 3 && i != 9)
            allBut3And9.push_back(i);
    installSettings(0, 3);
    installPack(0, 15, allBut3And9);
    std::string start = stateNow();
    DriveRun run = drive(tapPanel(start, kNextIncomplete, 5) + "state\n" + tapPanel(start, kNextIncomplete, 5) +
                         "state\n");
    auto seen = states(run);
    ASSERT_EQ(seen.size(), 2u) << run.output;
    EXPECT_EQ(field(seen[0], "puzzle"), 9);
    EXPECT_EQ(field(seen[0], "puzzleNumber"), 9);
    EXPECT_NE(seen[0].find("\"tilesAtHome\":true"), std::string::npos);
    EXPECT_EQ(field(seen[1], "puzzle"), 3);

    // Only the current puzzle unsolved: the message, and it stays, paused, progress written.
    allBut3And9.push_back(9);
    installSettings(0, 3);
    installPack(0, 15, allBut3And9);
    folder.write("freeware.sdb", folder.read("freeware.sdb").substr(0, 1199)); // shorter on disk
    run = drive(tapPanel(start, 10, 30) + tapPanel(start, kNextIncomplete, 5) + "answer ok\nstate\n");
    EXPECT_NE(run.output.find("msgbox caption=Vantorel text=This is the last incomplete puzzle in this "
                              "puzzle pack.  To access puzzles you've already completed, use the puzzle "
                              "browser. buttons=ok"),
              std::string::npos)
        << run.output;
    EXPECT_EQ(field(lastState(run), "puzzle"), 3);
    EXPECT_NE(lastState(run).find("\"clockPaused\":true"), std::string::npos);
    EXPECT_EQ(folder.read("freeware.sdb").size(), 1200u) << "the progress file was written";

    // Everything solved, on the last puzzle: on to puzzle 0 without a message.
    allBut3And9.push_back(3);
    installSettings(0, 14);
    installPack(0, 15, allBut3And9);
    run = drive(tapPanel(start, kNextIncomplete, 5) + "state\n");
    EXPECT_EQ(field(lastState(run), "puzzle"), 0);
    EXPECT_EQ(run.output.find("msgbox"), std::string::npos) << run.output;
}

TEST_F(PanelDriver, EditRowAuthorsTheCustomPack)
{
    installSettings(CustomPackIndex, 4);
    installPack(CustomPackIndex, 5, {});
    std::string start = stateNow();
    auto button = [](int px) {
        return "tap " + std::to_string(kPanelX + px) + " " + std::to_string(kPanelY + kEditRow + kTopBar) + "\n";
    };
    // The empty slot's panel is 64 pixels wide: its close button lies 6 pixels in from the right.
    std::string previous = button(7), store = button(17), next = button(27), del = button(37),
                closeOnEmptySlot = button(64 - 6);

    // Past the last puzzle the empty slot opens; storing appends it and saves.
    DriveRun run = drive("command 40085\n" + next + "state\n" + store + "state\n");
    auto seen = states(run);
    ASSERT_EQ(seen.size(), 2u) << run.output;
    EXPECT_EQ(field(seen[0], "puzzle"), 5);
    EXPECT_EQ(field(seen[0], "count"), 5);
    EXPECT_NE(seen[0].find("\"editMode\":true"), std::string::npos);
    EXPECT_NE(seen[0].find("\"text\":\"Disable Toolbar\""), std::string::npos);
    EXPECT_EQ(field(seen[1], "count"), 6);
    EXPECT_EQ(folder.read("custom.zdb")[0], 6);
    const std::string stored = folder.read("custom.zdb").substr(2 + 5 * 22, 22);

    // The same layout stored from another place on the board gives the same record.
    std::vector<testsupport::TileState> now = tilesOf(start);
    std::vector<int> zorder = zorderOf(start);
    std::string moveAll;
    for (int t = 0; t < kTileCount; ++t) {
        plat::Point q = pickPoint(now, zorder, t);
        toFront(zorder, t);
        moveAll += "drag " + std::to_string(q.x) + " " + std::to_string(q.y + kTopBar) + " " +
                   std::to_string(q.x - 7) + " " + std::to_string(q.y + kTopBar - 14) + "\n";
        now[static_cast<std::size_t>(t)].x -= 7;
        now[static_cast<std::size_t>(t)].y -= 14;
    }
    installSettings(CustomPackIndex, 5);
    drive("command 40085\n" + moveAll + store);
    EXPECT_EQ(folder.read("custom.zdb").substr(2 + 5 * 22, 22), stored);

    // Closing the row on the empty slot returns to the last real puzzle; previous stops at 0.
    installSettings(CustomPackIndex, 5);
    run = drive("command 40085\n" + next + closeOnEmptySlot + "state\n" + previous + "state\n");
    seen = states(run);
    ASSERT_EQ(seen.size(), 2u) << run.output;
    EXPECT_EQ(field(seen[0], "puzzle"), 5);
    EXPECT_EQ(field(seen[0], "count"), 6);
    EXPECT_NE(seen[0].find("\"text\":\"Enable Toolbar\""), std::string::npos) << run.output;
    EXPECT_EQ(field(seen[1], "puzzle"), 5) << "outside editMode the edit row's place is a drag handle";
    installSettings(CustomPackIndex, 0);
    run = drive("command 40085\n" + previous + "state\n");
    EXPECT_EQ(field(lastState(run), "puzzle"), 0);

    // Delete following: No keeps everything, Yes cuts the pack after the current puzzle.
    installSettings(CustomPackIndex, 2);
    const std::string before = folder.read("custom.zdb");
    run = drive("command 40085\n" + del + "answer no\n" + del + "answer yes\nstate\n");
    EXPECT_NE(run.output.find("msgbox caption=Confirm text=Are you sure you want to delete all puzzles "
                              "following the current puzzle? buttons=yesno"),
              std::string::npos);
    EXPECT_EQ(field(lastState(run), "count"), 3);
    EXPECT_EQ(folder.read("custom.zdb")[0], 3);
    EXPECT_EQ(folder.read("custom.zdb").substr(2, 2200), before.substr(2, 2200)) << "records kept";

    // An empty custom pack is authored from scratch: next / new opens slot 0.
    installSettings(CustomPackIndex, 0);
    std::remove(folder.file("custom.zdb").c_str());
    run = drive("answer ok\ncommand 40085\n" + next + "state\n" + store + "state\n");
    seen = states(run);
    ASSERT_EQ(seen.size(), 2u) << run.output;
    EXPECT_EQ(field(seen[0], "puzzle"), 0);
    EXPECT_EQ(field(seen[1], "count"), 1);

    // A built-in pack is never edited on the board.
    installSettings(0, 0);
    installPack(0, 3, {});
    run = drive("command 40085\nstate\n");
    EXPECT_NE(lastState(run).find("\"editMode\":false"), std::string::npos);
}

TEST_F(PanelDriver, HintsRevealTilesInOrderAndTheMenuFollows)
{
    installSettings(0, 0);
    installPack(0, 2, {1});
    std::string script = "state\ncommand 40072\nstate\n";
    for (int i = 0; i < 6; ++i)
        script += "command 40073\n";
    script += "state\ncommand 40074\nstate\ncommand 40075\nstate\n";
    DriveRun run = drive(script);
    auto seen = states(run);
    ASSERT_EQ(seen.size(), 5u) << run.output;
    auto hintMenu = [](const std::string& state) {
        std::smatch m;
        std::regex_search(state, m, std::regex(R"("text":"Hint","command":0,"greyed":false,"items":\[(.*?)\]\})"));
        std::string texts;
        std::string items = m[1];
        static const std::regex text(R"("text":"([^"]*)\")");
        for (std::sregex_iterator it(items.begin(), items.end(), text), end; it != end; ++it)
            texts += (*it)[1].str() + "|";
        return texts;
    };
    EXPECT_EQ(hintMenu(seen[0]), "Get Hint (1)|");
    EXPECT_EQ(hintMenu(seen[1]), "Get Hint (2)|Hide Hints|");
    EXPECT_EQ(field(seen[1], "hints"), 1);
    EXPECT_NE(seen[1].find("\"selected\":true"), std::string::npos);
    EXPECT_EQ(zorderOf(seen[1])[0], 0) << "the first hint selects a small triangle";
    EXPECT_EQ(hintMenu(seen[2]), "Hide Hints|");
    EXPECT_EQ(field(seen[2], "hints"), 7);
    EXPECT_EQ(zorderOf(seen[2])[0], 6);
    EXPECT_EQ(hintMenu(seen[3]), "Show Hints|");
    EXPECT_NE(seen[3].find("\"hintsVisible\":false"), std::string::npos);
    EXPECT_EQ(hintMenu(seen[4]), "Hide Hints|");

    // A puzzle loaded with 3 hints starts hidden; Show Hints with a later tile in front selects
    // the last revealed one.
    ProgressRecord progress[kProgressRecordCount]{};
    progress[0].hints = 3;
    progress[1].solved = 1;
    progress[1].hints = 2;
    folder.write("freeware.sdb", std::string(reinterpret_cast<const char*>(progress), sizeof progress));
    run = drive("state\n" + tap(pickPoint(tilesOf(seen[0]), 5)) + "command 40075\nstate\n");
    seen = states(run);
    ASSERT_EQ(seen.size(), 2u) << run.output;
    EXPECT_EQ(field(seen[0], "hintCounter"), 2);
    EXPECT_EQ(hintMenu(seen[0]), "Show Hints|");
    EXPECT_EQ(zorderOf(seen[1])[0], 2);

    // A solved puzzle offers only hide or show, and its count stays as it was.
    installSettings(0, 1);
    run = drive("state\ncommand 40075\ncommand 40073\nstate\n");
    seen = states(run);
    ASSERT_EQ(seen.size(), 2u) << run.output;
    EXPECT_EQ(hintMenu(seen[0]), "Show Hints|");
    EXPECT_EQ(hintMenu(seen[1]), "Hide Hints|");
    EXPECT_EQ(field(seen[1], "hints"), 2);
}
