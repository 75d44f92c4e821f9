// The puzzle browser, the settings dialog and the About box end to end through the driver: what
// they show, what the pen and the keys do in them, and what reaches the board and the files.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "data/puzzle_pack.h"
#include "platform/raster.h"
#include "support/drive_script.h"
#include "resources/program_icon.h"

using testsupport::DriveOutcome;
using testsupport::JsonMember;

namespace {

// Screen rows of the browser's list: the list starts under the top bar (26) and its 25-pixel
// titles; rows are 46 pixels (a 45-pixel thumbnail and a line).
int RowY(int position) { return 26 + 25 + 46 * position + 23; }

std::string Shipped(const std::string& name)
{
    std::ifstream in(std::string(ZENTILES_SOURCE_DIR) + "/assets/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class Dialogs : public testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directories(folder.file("home")); }
    DriveOutcome drive(const std::string& script)
    {
        DriveOutcome run = testsupport::RunDriveScript(folder, script, folder.file("home"));
        EXPECT_EQ(run.exitCode, 0) << run.output;
        return run;
    }
    static std::string dialog(const DriveOutcome& run, std::size_t state, const std::string& key)
    {
        if (state >= run.states.size())
            return "<no state " + std::to_string(state) + ">";
        return JsonMember(JsonMember(run.states[state], "dialog"), key);
    }
    static std::string member(const DriveOutcome& run, std::size_t state, const std::string& key)
    {
        return state < run.states.size() ? JsonMember(run.states[state], key) : "<no state>";
    }
    // How many boxes with that text showed before state line `state` was printed.
    static int boxesBefore(const DriveOutcome& run, std::size_t state, const std::string& text)
    {
        int boxes = 0;
        std::size_t seen = 0;
        for (const std::string& line : run.lines) {
            if (line.rfind("{\"pack\"", 0) == 0 && seen++ == state)
                break;
            boxes += line.find("msgbox") == 0 && line.find("text=" + text + " ") != std::string::npos;
        }
        return boxes;
    }
    void readOnly(const std::string& name) { ::chmod(folder.file(name).c_str(), 0444); }

    // The custom pack: the first 15 shipped puzzles, the last one damaged (far outside 35 x 45);
    // puzzle 0 solved after 1 h 2 min 5 s with 2 hints, puzzle 3 solved.
    void installBrowserPacks()
    {
        testsupport::InstallShippedFiles(folder, CustomPackIndex);
        PackBlock block{};
        std::string freeware = Shipped("freeware.zdb");
        std::copy_n(freeware.data(), sizeof block, reinterpret_cast<char*>(&block));
        block.count = 15;
        block.puzzles[14].x[2] = 120;
        block.puzzles[14].y[5] = -100;
        folder.write("custom.zdb", std::string(reinterpret_cast<const char*>(&block), sizeof block));
        std::string progress(1200, '\0');
        progress[0] = 1;
        progress[4] = static_cast<char>(3725 & 0xFF);
        progress[5] = static_cast<char>(3725 >> 8);
        progress[8] = 2;
        progress[3 * 12] = 1;
        folder.write("custom.sdb", progress);
    }
    // The shipped look with its pictures; the settings name a texture that is there and a tile
    // picture that is not.
    void installSettings()
    {
        testsupport::InstallShippedFiles(folder, 0);
        for (const char* sub : {"Bitmaps", "Textures"})
            std::filesystem::copy(std::string(ZENTILES_SOURCE_DIR) + "/assets/" + sub, folder.file(sub),
                                  std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
        std::string cfg = folder.read("zentiles.cfg");
        putName(cfg, 16, "Wood.bmp");
        putName(cfg, 536, "Gone.bmp");
        folder.write("zentiles.cfg", cfg);
    }
    static void putName(std::string& cfg, std::size_t at, const std::string& name)
    {
        std::fill_n(cfg.begin() + static_cast<long>(at), 520, '\0');
        for (std::size_t i = 0; i < name.size(); ++i)
            cfg[at + 2 * i] = name[i];
    }

    testsupport::TempFolder folder;
};

TEST_F(Dialogs, BrowserListsThePackChoosesByTapOkAndDoubleTapAndSwitchesPacks)
{
    installBrowserPacks();
    DriveOutcome run = drive(
        "command 40085\ncommand 40016\nstate\n"                              // 0: as opened
        "drag 150 280 150 40\ntap 150 " + std::to_string(RowY(2)) + "\n"     // dragged 5 rows down: row 7 tapped
        "drag 150 280 150 40\ntap 150 288\nstate\n"                          // 1: at the end, empty space tapped
        "key return\nstate\n"                                                // 2: Enter is Done
        "command 40016\ntap 150 " + std::to_string(RowY(4)) + "\ntap 150 " + std::to_string(RowY(4)) + "\nstate\n" // 3
        "tap 50 " + std::to_string(RowY(3)) + "\ntap 50 " + std::to_string(RowY(3)) + "\nstate\n"                   // 4
        "command 40016\npick Custom Pack\npick Custom Pack\nstate\n"         // 5: the same pack again
        "pick Custom Pack\npick Freeware Pack\nstate\n"                      // 6: another pack
        "key return\nstate\n"                                                // 7
        "command 40016\nkey down\nkey down\nkey return\nstate\n");            // 8: the keys choose too
    ASSERT_EQ(run.states.size(), 9u) << run.output;
    std::string rows = dialog(run, 0, "rows");
    EXPECT_EQ(rows.rfind(R"([[" #000","X","01:02:05","2"],[" #001","-","00:00:00","0"],[" #002","-","00:00:00","0"],)"
                         R"([" #003","X","00:00:00","0"],)", 0), 0u) << rows;
    EXPECT_NE(rows.find(R"([" #014","-","00:00:00","0"]])"), std::string::npos) << "15 rows, the damaged one too";
    EXPECT_EQ(dialog(run, 0, "resource"), "306");
    EXPECT_EQ(dialog(run, 0, "focused"), "0") << "the current puzzle carries the focus mark";
    EXPECT_EQ(member(run, 0, "clockPaused"), "true");

    EXPECT_EQ(dialog(run, 1, "top"), "10");
    EXPECT_EQ(dialog(run, 1, "selected"), "-1") << "the tap on empty space took the selection away";
    EXPECT_EQ(dialog(run, 1, "focused"), "7") << "but the last tapped row keeps its mark";
    EXPECT_EQ(member(run, 2, "dialog"), "null");
    EXPECT_EQ(member(run, 2, "puzzle"), "7");
    EXPECT_EQ(JsonMember(member(run, 2, "panel"), "puzzleNumber"), "7");
    EXPECT_EQ(member(run, 2, "tilesAtHome"), "true") << "the tiles went home for the new puzzle";
    EXPECT_EQ(member(run, 2, "hintCounter"), "-1");

    EXPECT_EQ(dialog(run, 3, "top"), "3") << "reopened with the current puzzle in view";
    EXPECT_EQ(member(run, 3, "puzzle"), "7") << "a double tap on the time chooses nothing";
    EXPECT_EQ(member(run, 4, "dialog"), "null") << "a double tap on the number closes the browser";
    EXPECT_EQ(member(run, 4, "puzzle"), "6");

    EXPECT_EQ(JsonMember(dialog(run, 5, "lists"), "1047"),
              R"({"items":["Freeware Pack","Puzzle Pack 1","Puzzle Pack 2","Puzzle Pack 3","Custom Pack"],)"
              R"("selected":4,"enabled":true,"open":false})");
    EXPECT_EQ(member(run, 5, "pack"), "4");
    EXPECT_EQ(JsonMember(member(run, 5, "panel"), "editMode"), "true");
    EXPECT_EQ(member(run, 6, "pack"), "0");
    EXPECT_EQ(dialog(run, 6, "resource"), "306") << "open again, on the new pack";
    EXPECT_EQ(dialog(run, 6, "focused"), "0");
    EXPECT_EQ(member(run, 6, "count"), "28");
    EXPECT_EQ(JsonMember(member(run, 6, "panel"), "editMode"), "false");
    EXPECT_EQ(member(run, 7, "dialog"), "null");
    EXPECT_EQ(member(run, 7, "puzzle"), "0");
    EXPECT_EQ(JsonMember(member(run, 7, "panel"), "puzzleNumber"), "0") << "puzzle 0 of the new pack, untapped";
    EXPECT_EQ(member(run, 8, "puzzle"), "2");
}

TEST_F(Dialogs, BrowserHoldOffersClearingWhichSavesOnlyWhenSomethingWasCleared)
{
    installBrowserPacks();
    const std::string holdRow0 = "hold 50 " + std::to_string(RowY(0)) + "\nup 50 " + std::to_string(RowY(0)) + "\n";
    DriveOutcome run = drive("command 40016\nhold 150 50\nup 150 50\nstate\n"      // 0: on the column titles
                             + holdRow0 + "state\n"                                 // 1: the menu
                             "pick Clear All\nanswer no\nstate\n"                   // 2
                             + holdRow0 + "pick Clear Selected\nstate\nkey return\n"); // 3
    ASSERT_EQ(run.states.size(), 4u) << run.output;
    EXPECT_EQ(member(run, 0, "openMenu"), "null");
    EXPECT_EQ(member(run, 1, "openMenu"), R"(["Clear Selected","Clear All"])");
    EXPECT_NE(run.output.find("msgbox caption=Confirm text=Are you sure you want to reset the data for all puzzles "
                              "in this puzzle pack? buttons=yesno"),
              std::string::npos);
    EXPECT_EQ(dialog(run, 2, "rows"), dialog(run, 0, "rows")) << "No cleared nothing";
    std::string rows = dialog(run, 3, "rows");
    EXPECT_EQ(rows.rfind(R"([[" #000","-","00:00:00","0"],[" #001","-","00:00:00","0"],[" #002","-","00:00:00","0"],)"
                         R"([" #003","X",)", 0), 0u) << rows;
    EXPECT_EQ(dialog(run, 3, "focused"), "0");
    std::string progress = folder.read("custom.sdb");
    EXPECT_EQ(progress.substr(0, 12), std::string(12, '\0'));
    EXPECT_EQ(progress[36], 1) << "puzzle 3 kept its solve";

    // A progress file that cannot be replaced shows each attempt to save it.
    installBrowserPacks();
    readOnly("custom.sdb");
    DriveOutcome saves = drive("command 40016\n" + holdRow0 + "pick Clear All\nanswer no\nstate\n" + holdRow0 +
                               "pick Clear Selected\nanswer ok\nstate\nkey return\nanswer ok\nstate\n");
    ASSERT_EQ(saves.states.size(), 3u) << saves.output;
    EXPECT_EQ(boxesBefore(saves, 0, "FileCreateError"), 0) << "Clear All answered No wrote nothing";
    EXPECT_EQ(boxesBefore(saves, 1, "FileCreateError"), 1) << "Clear Selected saved";
    EXPECT_EQ(boxesBefore(saves, 2, "FileCreateError"), 2) << "OK saved";
    EXPECT_EQ(member(saves, 2, "dialog"), "null");
    EXPECT_EQ(member(saves, 2, "puzzle"), "0");
}

TEST_F(Dialogs, SettingsShowTheFileColoursAndPickFromThePicture)
{
    installSettings();
    const std::string installed = folder.read("zentiles.cfg");
    DriveOutcome run = drive("command 40040\nstate\n"                                // 0
                             "pixel 120 264\npixel 137 264\npixel 225 259\n"        // the picture as shown
                             "tap 137 264\nanswer ok\nstate\n"                      // 1: no box chosen yet
                             "key tab\nkey tab\nkey tab\nkey tab\nkey tab\nstate\n" // 2: Tab reaches a box
                             "pick Foreground Color\nstate\n"                       // 3
                             "tap 137 264\nstate\n"                                 // 4
                             "tap 120 264\ntap 150 240\nstate\n"                    // 5: the edges pick nothing
                             "drag 225 250 225 259\nstate\n"                        // 6: a drag down the greys
                             "key return\nstate\n");                                // 7
    ASSERT_EQ(run.states.size(), 8u) << run.output;
    EXPECT_EQ(dialog(run, 0, "resource"), "337");
    EXPECT_EQ(dialog(run, 0, "radios"), R"({"1049":true,"1050":false,"1051":false,"1052":true,"1053":false})");
    std::string lists = dialog(run, 0, "lists");
    std::string textures = JsonMember(JsonMember(lists, "1055"), "items");
    std::size_t wood = textures.find("\"Wood.bmp\""), marble = textures.find("\"Marble.bmp\"");
    ASSERT_NE(wood, std::string::npos) << lists;
    EXPECT_EQ(JsonMember(JsonMember(lists, "1055"), "selected"), wood < marble ? "0" : "1") << "in the folder's order";
    EXPECT_EQ(JsonMember(JsonMember(lists, "1055"), "enabled"), "false");
    EXPECT_EQ(JsonMember(JsonMember(lists, "1056"), "selected"), "-1") << "Gone.bmp is not there";
    EXPECT_EQ(dialog(run, 0, "markers"), "[]");
    EXPECT_EQ(std::count(run.lines.begin(), run.lines.end(), "pixel 120 264 255 0 0"), 1) << "column 0, row 25";
    EXPECT_EQ(std::count(run.lines.begin(), run.lines.end(), "pixel 137 264 255 255 0"), 1) << "column 17, row 25";
    EXPECT_EQ(std::count(run.lines.begin(), run.lines.end(), "pixel 225 259 100 100 100"), 1) << "grey row 20";

    EXPECT_TRUE(run.asked("Please Select a color attribute to change by tapping in the appropriate color box."));
    EXPECT_NE(run.output.find("msgbox caption=Color Settings "), std::string::npos);
    EXPECT_EQ(dialog(run, 1, "boxes"), dialog(run, 0, "boxes"));
    EXPECT_EQ(dialog(run, 2, "markers"), "[1017]") << "the background colour box took the keys";
    EXPECT_EQ(dialog(run, 3, "markers"), "[1016]");
    EXPECT_EQ(JsonMember(dialog(run, 4, "boxes"), "1008"), "[255,255,0]");
    EXPECT_EQ(dialog(run, 5, "boxes"), dialog(run, 4, "boxes"));
    EXPECT_EQ(JsonMember(dialog(run, 6, "boxes"), "1008"), "[100,100,100]");
    EXPECT_EQ(member(run, 7, "dialog"), "null");
    std::string saved = folder.read("zentiles.cfg");
    ASSERT_EQ(saved.size(), 1808u);
    EXPECT_EQ(saved.substr(12, 4), std::string("\x64\x64\x64\x00", 4)) << "tileColor";
    EXPECT_EQ(saved.substr(16, 1040), installed.substr(16, 1040)) << "both file names as they were";
    EXPECT_EQ(std::count_if(run.lines.begin(), run.lines.end(), [](const std::string& l) { return l.rfind("msgbox", 0) == 0; }),
              1) << "the missing picture is no message";
}

TEST_F(Dialogs, SettingsOkRebuildsTheTilesAndWritesTheFileEvenWhenNothingChanged)
{
    installSettings();
    drive("quit\n");
    const std::string untouched = folder.read("zentiles.cfg");
    installSettings();
    DriveOutcome ok = drive("command 40040\nkey return\n");
    EXPECT_EQ(folder.read("zentiles.cfg"), untouched) << "OK at once changes no setting";

    installSettings();
    readOnly("zentiles.cfg");
    // A settings file that cannot be replaced (nor read: the shipped look it is) shows the write.
    DriveOutcome rebuilt = drive("answer ok\nkey tab\nkey tab\nstate\ncommand 40040\nkey return\nanswer ok\nstate\n");
    ASSERT_EQ(rebuilt.states.size(), 2u) << rebuilt.output;
    EXPECT_EQ(member(rebuilt, 0, "zorder"), "[1,0,2,3,4,5,6]");
    EXPECT_EQ(member(rebuilt, 1, "zorder"), "[0,1,2,3,4,5,6]") << "a rebuilt play set stands in tile order";
    EXPECT_EQ(member(rebuilt, 1, "tiles"), member(rebuilt, 0, "tiles")) << "where the tiles stood";
    EXPECT_EQ(boxesBefore(rebuilt, 1, "FileCreateError"), 1) << "the settings file was written after OK";

    installSettings();
    for (const char* name : {"Marble.bmp", "Wood.bmp"})
        std::filesystem::remove(folder.file(std::string("Textures/") + name));
    const std::string before = folder.read("zentiles.cfg");
    DriveOutcome empty = drive("command 40040\npick Texture\nstate\nkey return\n");
    ASSERT_EQ(empty.states.size(), 1u) << empty.output;
    EXPECT_EQ(JsonMember(dialog(empty, 0, "radios"), "1050"), "true");
    EXPECT_EQ(JsonMember(dialog(empty, 0, "lists"), "1055"), R"({"items":[],"selected":-1,"enabled":true,"open":false})");
    std::string after = folder.read("zentiles.cfg");
    ASSERT_EQ(after.size(), 1808u);
    EXPECT_EQ(after[8], 2) << "tileFill: texture";
    EXPECT_EQ(after.substr(16, 520), before.substr(16, 520)) << "textureFile unchanged";
}

TEST_F(Dialogs, AboutStopsTheClockAndTheMenuKeysAndPanelOpenEachDialog)
{
    testsupport::InstallShippedFiles(folder, 0);
    // The program icon's top-left corner is at screen (19, 32).
    const std::vector<plat::Point> iconPixels = {{2, 2}, {16, 16}, {28, 5}, {9, 27}};
    std::string pixels;
    for (plat::Point p : iconPixels)
        pixels += "pixel " + std::to_string(19 + p.x) + " " + std::to_string(32 + p.y) + "\n";
    DriveOutcome run = drive("key tab\nwait 3000\nkey ctrl+a\nstate\n" + pixels + "wait 3000\nstate\n" // 0, 1
                             "tap 223 13\nstate\n"                                     // 2: Done
                             "command 40002\nkey return\nstate\n"                      // 3: Enter is Done
                             "tap 160 35\nstate\nkey return\n"                         // 4: the panel's number
                             "tap 20 307\npick Settings...\nstate\nkey return\n"       // 5
                             "tap 20 307\npick Puzzles...\nstate\nkey return\n"        // 6
                             "tap 20 307\npick About\nstate\nkey escape\nstate\n");    // 7, 8
    ASSERT_EQ(run.states.size(), 9u) << run.output;
    EXPECT_EQ(dialog(run, 0, "resource"), "103");
    EXPECT_EQ(dialog(run, 0, "title"), "\"About Zentiles\"");
    EXPECT_EQ(dialog(run, 0, "texts"),
              R"(["Vantorel Zentiles","Version 2.01","The Zentiles project","Source: zentiles Git repository",)"
              R"("The object of Zentiles is to reproduce the given shape using the 7 geometric tiles.  All 7 tiles )"
              R"(must be used in every puzzle, and the tiles may not overlap."])");
    auto icon = LoadProgramIcon(kProgramIconLarge);
    plat::DrawContext iconDc(icon.get());
    for (plat::Point p : iconPixels) {
        plat::Color c = plat::GetPixel(iconDc, p.x, p.y);
        std::string line = "pixel " + std::to_string(19 + p.x) + " " + std::to_string(32 + p.y) + " " +
                           std::to_string(plat::ColorRed(c)) + " " + std::to_string(plat::ColorGreen(c)) + " " +
                           std::to_string(plat::ColorBlue(c));
        EXPECT_EQ(std::count(run.lines.begin(), run.lines.end(), line), 1) << line << " shows the program icon";
    }
    EXPECT_EQ(member(run, 0, "clockPaused"), "true");
    EXPECT_EQ(JsonMember(member(run, 1, "progress"), "seconds"), JsonMember(member(run, 0, "progress"), "seconds"));
    EXPECT_NE(JsonMember(member(run, 0, "progress"), "seconds"), "0") << "it ran until the box opened";
    EXPECT_EQ(member(run, 2, "dialog"), "null");
    EXPECT_EQ(member(run, 2, "selected"), "false");
    EXPECT_EQ(member(run, 2, "clockPaused"), "true");
    EXPECT_EQ(member(run, 3, "dialog"), "null");
    for (auto [state, resource] : {std::pair{4, "306"}, std::pair{5, "337"}, std::pair{6, "306"}, std::pair{7, "103"}})
        EXPECT_EQ(dialog(run, static_cast<std::size_t>(state), "resource"), resource) << state;
    EXPECT_EQ(member(run, 8, "dialog"), "null");
}

} // namespace
