// The player's folder of an installed copy: where it is, and how the shipped files come into it.
#include "app/player_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/files.h"
#include "platform/folders.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"

namespace {

using testsupport::MessageRecorder;
using testsupport::TempFolder;

// Shipped files go in once each: never over the player's own, a deleted one comes back, and a copy
// that fails names its file and lets the others go on.
TEST(PlayerFolder, TakesWhatItLacksOfTheShippedFilesAndNothingElse)
{
    TempFolder shipped, home;
    std::filesystem::create_directories(shipped.file("Bitmaps"));
    std::filesystem::create_directories(shipped.file("Textures"));
    for (const char* name : {"freeware.zdb", "zentiles.cfg", "Bitmaps/Paper.bmp", "Textures/Wood.bmp",
                             "Textures/Marble.bmp"})
        shipped.write(name, std::string("shipped ") + name);
    const std::string player = home.file("data/zentiles/");
    ASSERT_TRUE(plat::CreateFolders(player));
    MessageRecorder messages;

    EXPECT_EQ(CopyShippedFiles(shipped.folder(), player), 5);
    EXPECT_EQ(home.read("data/zentiles/Textures/Marble.bmp"), "shipped Textures/Marble.bmp");
    EXPECT_EQ(home.read("data/zentiles/zentiles.cfg"), "shipped zentiles.cfg");

    home.write("data/zentiles/zentiles.cfg", "the player's settings");
    std::filesystem::remove(home.file("data/zentiles/Bitmaps/Paper.bmp"));
    std::filesystem::remove(home.file("data/zentiles/Textures/Wood.bmp"));
    plat::SetFileFaults({.failCreate = true});
    EXPECT_EQ(CopyShippedFiles(shipped.folder(), player), 0);
    plat::SetFileFaults({});
    ASSERT_EQ(messages.requests().size(), 2u);
    EXPECT_NE(messages.texts()[0].find("Bitmaps/Paper.bmp"), std::string::npos) << messages.texts()[0];
    EXPECT_NE(messages.texts()[1].find("Textures/Wood.bmp"), std::string::npos) << messages.texts()[1];
    EXPECT_EQ(messages.requests()[0].caption, "ERROR");

    EXPECT_EQ(CopyShippedFiles(shipped.folder(), player), 2);
    EXPECT_EQ(home.read("data/zentiles/Bitmaps/Paper.bmp"), "shipped Bitmaps/Paper.bmp");
    EXPECT_EQ(home.read("data/zentiles/zentiles.cfg"), "the player's settings");
    EXPECT_EQ(messages.requests().size(), 2u);
}

// $XDG_DATA_HOME when absolute (a relative one is ignored, as the desktop's rules say), else
// ~/.local/share.
TEST(PlayerFolder, LivesUnderTheDesktopsDataFolder)
{
    std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    const char* savedData = std::getenv("XDG_DATA_HOME");
    std::string savedDataValue = savedData ? savedData : "";
    struct Case {
        const char* home;
        const char* dataHome; // null: unset
        const char* expected;
    };
    for (const Case& c : {Case{"/home/ann", nullptr, "/home/ann/.local/share/zentiles/"},
                          Case{"/home/ann", "/data/ann/", "/data/ann/zentiles/"},
                          Case{"/home/ann", "relative/data", "/home/ann/.local/share/zentiles/"}}) {
        setenv("HOME", c.home, 1);
        if (c.dataHome)
            setenv("XDG_DATA_HOME", c.dataHome, 1);
        else
            unsetenv("XDG_DATA_HOME");
        EXPECT_EQ(plat::PlayerDataFolder(kPlayerFolderName), c.expected) << c.home << " " << (c.dataHome ? c.dataHome : "-");
    }
    setenv("HOME", savedHome.c_str(), 1);
    if (savedData)
        setenv("XDG_DATA_HOME", savedDataValue.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}

} // namespace
