// The commands end to end through the driver: menu, toolbar and keys, custom pack import and
// export over real files, and keyboard play.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <regex>

#include "app/menu_bar.h"
#include "data/puzzle_pack.h"
#include "support/drive_script.h"

using testsupport::DriveOutcome;
using testsupport::JsonMember;

namespace {

std::string Bytes(std::size_t size, char fill) { return std::string(size, fill); }

// A progress file whose first record is solved after 77 seconds with 2 hints.
std::string SolvedProgress()
{
    std::string bytes(1200, '\0');
    bytes[0] = 1;
    bytes[4] = 77;
    bytes[8] = 2;
    return bytes;
}

class Commands : public testing::Test {
protected:
    void install(int pack)
    {
        testsupport::InstallShippedFiles(folder, pack);
        std::filesystem::create_directories(folder.file("home/Packs"));
    }
    DriveOutcome drive(const std::string& script)
    {
        DriveOutcome run = testsupport::RunDriveScript(folder, script, folder.file("home"));
        EXPECT_EQ(run.exitCode, 0) << run.output;
        return run;
    }
    std::string shipped(const std::string& name) const
    {
        std::ifstream in(std::string(ZENTILES_SOURCE_DIR) + "/assets/" + name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static std::string member(const DriveOutcome& run, std::size_t state, const std::string& key)
    {
        return state < run.states.size() ? JsonMember(run.states[state], key) : "<no state " + std::to_string(state) + ">";
    }
    static std::string tapButton(int command)
    {
        plat::Rect r = ToolbarButtonRect(command);
        return std::to_string(r.x + r.width / 2) + " " + std::to_string(r.y + r.height / 2);
    }

    testsupport::TempFolder folder;
};

TEST_F(Commands, ExitNoKeepsPlayingTheMenuOpensAndClosesByPenAndKeysAndCtrlQAsksNothing)
{
    install(0);
    DriveOutcome run = drive("key tab\ncommand 40041\nanswer no\nstate\n"
                             "tap 20 307\nstate\ntap 120 100\nstate\n"     // tapped outside: closed, board untouched
                             "key f10\nstate\nkey escape\nstate\n"
                             "tap 20 307\npick Pause\nstate\n"
                             "key tab\nhold " + tapButton(40003) + "\nstate\nup " + tapButton(40003) + "\nstate\n"
                             "key ctrl+q\n");
    ASSERT_EQ(run.states.size(), 8u) << run.output;
    EXPECT_TRUE(run.asked("Exit Zentiles?"));
    EXPECT_EQ(member(run, 0, "selected"), "true");
    EXPECT_EQ(member(run, 0, "clockPaused"), "false") << "the clock ran on";
    EXPECT_EQ(member(run, 1, "openMenu"), R"(["Custom","","Hint","","Settings...","Puzzles...","About","","Pause","Exit"])");
    EXPECT_EQ(member(run, 2, "openMenu"), "null");
    EXPECT_EQ(member(run, 2, "selected"), "true") << "the tap that closed the menu reached no tile";
    EXPECT_EQ(member(run, 3, "openMenu"), member(run, 1, "openMenu"));
    EXPECT_EQ(member(run, 4, "openMenu"), "null");
    EXPECT_EQ(member(run, 5, "selected"), "false");
    EXPECT_EQ(member(run, 5, "clockPaused"), "true");
    EXPECT_EQ(member(run, 6, "tooltip"), "\"Rotate Clockwise\"");
    EXPECT_EQ(member(run, 7, "tooltip"), "null");
    EXPECT_EQ(member(run, 7, "tiles"), member(run, 6, "tiles")) << "lifting the pen after the tooltip turns nothing";
    // Ctrl+Q closed at once: one question in all, and the progress file written.
    EXPECT_EQ(std::count(run.lines.begin(), run.lines.end(),
                         "msgbox caption=Confirm text=Exit Zentiles? buttons=yesno"),
              1);
    EXPECT_EQ(folder.read("freeware.sdb").size(), 1200u);
}

TEST_F(Commands, ToggleOverlayTwiceFromTheToolbarLeavesTheBoardAsItWas)
{
    install(0);
    std::string button = tapButton(40086);
    drive("shot " + folder.file("a.png") + "\ntap " + button + "\nshot " + folder.file("b.png") + "\ntap " + button +
          "\nshot " + folder.file("c.png") + "\n");
    EXPECT_NE(folder.read("a.png"), folder.read("b.png"));
    EXPECT_EQ(folder.read("a.png"), folder.read("c.png"));
}

TEST_F(Commands, CustomEntriesAreGreyedUnlessTheCustomPackIsCurrent)
{
    const std::string script = "tap 20 307\npick Custom\npick Load...\nstate\nkey escape\nkey escape\nkey escape\n"
                               "command 40083\nstate\nkey escape\n";
    install(0);
    DriveOutcome builtIn = drive(script);
    ASSERT_EQ(builtIn.states.size(), 2u) << builtIn.output;
    EXPECT_EQ(member(builtIn, 0, "dialog"), "null");
    EXPECT_EQ(member(builtIn, 0, "openMenu"), R"(["Load...","Save  As...","","Enable Toolbar"])");
    EXPECT_NE(member(builtIn, 0, "menu").find(R"({"text":"Load...","command":40082,"greyed":true})"), std::string::npos);
    EXPECT_EQ(member(builtIn, 1, "dialog"), "null") << "the command itself refuses another pack";

    install(4);
    folder.write("custom.zdb", shipped("pack1.zdb"));
    DriveOutcome custom = drive(script);
    ASSERT_EQ(custom.states.size(), 2u) << custom.output;
    EXPECT_EQ(JsonMember(member(custom, 0, "dialog"), "title"), "\"Open File\"");
    EXPECT_EQ(JsonMember(member(custom, 0, "dialog"), "folder"), "\"" + folder.file("home/") + "\"");
    EXPECT_EQ(JsonMember(member(custom, 0, "dialog"), "list"), R"(["Packs/"])");
    EXPECT_EQ(JsonMember(member(custom, 1, "dialog"), "title"), "\"Save File As\"");
}

TEST_F(Commands, LoadImportsAPackWithItsProgressOnlyWhenThePlayerWantsIt)
{
    install(4);
    const std::string birds = shipped("pack1.zdb");
    folder.write("home/Packs/Birds.zdb", birds);
    folder.write("home/Packs/Birds.sdb", SolvedProgress());
    folder.write("home/Packs/Fish.zdb", shipped("pack2.zdb"));
    const std::string open = "tap 20 307\npick Custom\npick Load...\npick Packs\n";
    struct Case {
        std::string pick;
        std::string answer;
        std::string progress;
    };
    for (const Case& c : {Case{"Birds.zdb", "answer yes\n", SolvedProgress()},
                          Case{"Birds.zdb", "answer no\n", Bytes(1200, 0)}, Case{"Fish.zdb", "", Bytes(1200, 0)}}) {
        folder.write("custom.zdb", shipped("freeware.zdb"));
        folder.write("custom.sdb", Bytes(1200, 9));
        // With the edit row on: the load relabels its entry and leaves the row as it was.
        DriveOutcome run = drive("command 40085\n" + open + "pick " + c.pick + "\nkey return\n" + c.answer + "state\n");
        ASSERT_EQ(run.states.size(), 1u) << run.output;
        EXPECT_NE(member(run, 0, "menu").find(R"({"text":"Enable Toolbar","command":40085,"greyed":false})"),
                  std::string::npos);
        EXPECT_EQ(JsonMember(member(run, 0, "panel"), "editMode"), "true");
        EXPECT_EQ(run.asked("Supplemental Data for this Custom Pack has been found.  Would you like to load it?"),
                  !c.answer.empty());
        EXPECT_EQ(member(run, 0, "count"), "100");
        EXPECT_EQ(member(run, 0, "puzzle"), "0");
        EXPECT_EQ(folder.read("custom.zdb"), c.pick == "Birds.zdb" ? birds : shipped("pack2.zdb"));
        EXPECT_EQ(folder.read("custom.sdb"), c.progress) << c.pick << " " << c.answer;
    }
}

TEST_F(Commands, ALoadThatFailsLeavesTheCustomPackByteForByte)
{
    install(4);
    folder.write("home/short.zdb", Bytes(100, 1));
    folder.write("home/long.zdb", Bytes(sizeof(PackBlock) + 1, 1));
    for (const char* name : {"short.zdb", "long.zdb", "missing.zdb"}) {
        folder.write("custom.zdb", shipped("pack3.zdb"));
        folder.write("custom.sdb", SolvedProgress());
        DriveOutcome run = drive(std::string("command 40082\ntype ") + name + "\nkey return\nanswer ok\nstate\n");
        EXPECT_TRUE(run.asked("Load Failed")) << run.output;
        EXPECT_NE(run.output.find("msgbox caption=Error text=Load Failed buttons=ok"), std::string::npos);
        EXPECT_EQ(folder.read("custom.zdb"), shipped("pack3.zdb")) << name;
        EXPECT_EQ(folder.read("custom.sdb"), SolvedProgress()) << name;
    }
}

TEST_F(Commands, SaveAsWritesNameZdbAndNameSdbWhichLoadBackAfterAnEditElsewhere)
{
    install(4);
    folder.write("custom.zdb", shipped("pack2.zdb"));
    folder.write("custom.sdb", SolvedProgress());
    drive("tap 20 307\npick Custom\npick Save  As...\ntype Export\nkey return\n");
    EXPECT_EQ(folder.read("home/Export.zdb"), shipped("pack2.zdb"));
    EXPECT_EQ(folder.read("home/Export.sdb"), SolvedProgress());

    std::string edited = folder.read("home/Export.zdb");
    edited[0] = 5; // five puzzles left
    folder.write("home/Export.zdb", edited);
    folder.write("custom.zdb", shipped("freeware.zdb"));
    folder.write("custom.sdb", Bytes(1200, 0));
    DriveOutcome back = drive("command 40082\ntype Export.zdb\nkey return\nanswer yes\nstate\n");
    EXPECT_EQ(member(back, 0, "count"), "5");
    EXPECT_EQ(folder.read("custom.zdb"), edited);
    EXPECT_EQ(folder.read("custom.sdb"), SolvedProgress()) << "its progress came along";

    // The pack saved but not its progress; a pack that cannot be saved stops there.
    std::filesystem::create_directories(folder.file("home/Bad.sdb"));
    DriveOutcome bad = drive("command 40083\ntype Bad\nkey return\nanswer ok\n"
                             "command 40083\ntype /nonexistent/x\nkey return\nanswer ok\n");
    EXPECT_EQ(folder.read("home/Bad.zdb"), edited);
    EXPECT_TRUE(bad.asked("Supplemental Save Failed")) << bad.output;
    EXPECT_TRUE(bad.asked("Save Failed")) << bad.output;
    EXPECT_EQ(std::count(bad.lines.begin(), bad.lines.end(),
                         "msgbox caption=Error text=Supplemental Save Failed buttons=ok"),
              1);
}

TEST_F(Commands, KeyboardPlaySolvesTheFirstSamplePuzzleWithoutThePen)
{
    install(0);
    PackBlock pack{};
    std::string bytes = shipped("freeware.zdb");
    std::memcpy(&pack, bytes.data(), sizeof pack);
    const PuzzleRecord& target = pack.puzzles[0];
    struct Tile {
        int x, y, orientation;
        bool mirrored;
    };
    auto tilesOf = [](const std::string& state) {
        static const std::regex tile(R"("x":(-?\d+),"y":(-?\d+),"orientation":(\d+),"mirrored":(true|false))");
        std::vector<Tile> tiles;
        for (std::sregex_iterator it(state.begin(), state.end(), tile), end; it != end; ++it)
            tiles.push_back({std::stoi((*it)[1]), std::stoi((*it)[2]), std::stoi((*it)[3]), (*it)[4] == "true"});
        return tiles;
    };
    // Tab walks the stack as it stands at the start: the k-th Tab selects zorder[k - 1].
    std::string start = drive("state\n").states.at(0);
    std::string zorder = JsonMember(start, "zorder");
    std::vector<int> ring;
    for (char c : zorder)
        if (c >= '0' && c <= '6')
            ring.push_back(c - '0');
    ASSERT_EQ(ring.size(), 7u);
    auto stepsTo = [&](auto perTile) {
        std::string script = "state\n";
        for (int tile : ring)
            script += "key tab\n" + perTile(tile);
        return script + "state\n";
    };
    auto repeat = [](const char* key, int times) {
        std::string keys;
        for (int i = 0; i < times; ++i)
            keys += std::string("key ") + key + "\n";
        return keys;
    };
    std::vector<Tile> tiles = tilesOf(start);
    DriveOutcome mirrored = drive(stepsTo([&](int tile) {
        return tile == 4 && tiles[4].mirrored != (target.mirrored != 0) ? std::string("key m\n") : std::string();
    }));
    tiles = tilesOf(mirrored.states.back());
    DriveOutcome turned = drive(stepsTo([&](int tile) {
        return repeat("w", (OrientationOf(target, tile) - tiles[static_cast<std::size_t>(tile)].orientation + 8) % 8);
    }));
    ASSERT_EQ(JsonMember(turned.states.front(), "zorder"), zorder) << "every start stacks the tiles alike";
    tiles = tilesOf(turned.states.back());
    DriveOutcome solved = drive(stepsTo([&](int tile) {
        const Tile& t = tiles[static_cast<std::size_t>(tile)];
        int dx = target.x[tile] + 10 - t.x / 7, dy = target.y[tile] + 5 - t.y / 7;
        return repeat(dx < 0 ? "left" : "right", std::abs(dx)) + repeat(dy < 0 ? "up" : "down", std::abs(dy));
    }) + "answer ok\nstate\n");
    EXPECT_NE(solved.output.find("msgbox caption=Congratulations!!!!"), std::string::npos) << solved.output;
    EXPECT_EQ(JsonMember(solved.states.back(), "solved"), "true");
}

} // namespace
