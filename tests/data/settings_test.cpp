// The settings file: byte layout, defaults, damaged fields, safe saving, the saved board layout.
#include <fstream>
#include <iterator>

#include "data_fixture.h"
#include "game/board_layout.h"

namespace {

void FillSettings()
{
    GameSettings.currentPack = 3;
    GameSettings.currentPuzzle = 42;
    GameSettings.tileFill = 2;
    GameSettings.tileColor = 0x00112233;
    SetSettingsFileName(GameSettings.textureFile, "marble.bmp");
    SetSettingsFileName(GameSettings.tileBitmapFile, "wood grain.bmp");
    GameSettings.backgroundFill = 1;
    GameSettings.backgroundColor = 0x00445566;
    SetSettingsFileName(GameSettings.backgroundBitmapFile, "sky.bmp");
    GameSettings.previewTitleColor = 0x00010203;
    GameSettings.previewTextColor = 0x00040506;
    GameSettings.previewForegroundColor = 0x00070809;
    GameSettings.previewBackgroundColor = 0x000A0B0C;
    GameSettings.overlayShown = 1;
    GameSettings.reserved1[0] = 0x5A;
    GameSettings.overlayColor = 0x00FF0080;
    GameSettings.hintColor = 0x0000FF00;
    GameSettings.reserved2[2] = 0x6B;
    GameSettings.reserved3[0] = 0xEE;
    GameSettings.reserved3[95] = 0xEF;
    GameSettings.previewExpanded = 1;
    GameSettings.reserved4[1] = 0x7C;
}

// The UTF-16 units of a file-name field at offset, up to the first 0.
std::u16string NameAt(const std::string& bytes, std::size_t offset)
{
    std::u16string name;
    for (std::size_t at = offset;; at += 2) {
        const unsigned low = static_cast<unsigned char>(bytes.at(at));
        const unsigned high = static_cast<unsigned char>(bytes.at(at + 1));
        const auto unit = static_cast<char16_t>(low | high << 8);
        if (unit == 0)
            return name;
        name.push_back(unit);
    }
}

std::string SettingsBytes()
{
    return std::string(reinterpret_cast<const char*>(&GameSettings), sizeof GameSettings);
}

} // namespace

using SettingsFile = DataFileTest;

TEST_F(SettingsFile, RoundTripByteForByte)
{
    FillSettings();
    SaveSettings();
    const std::string bytes = folder.read("zentiles.cfg");
    ASSERT_EQ(bytes.size(), 1808u);
    struct Int32Field {
        std::size_t offset;
        std::int64_t value;
    };
    const Int32Field fields[] = {
        {0, 3},          {4, 42},         {8, 2},          {12, 0x00112233},
        {1056, 1},       {1060, 0x00445566}, {1584, 0x00010203}, {1588, 0x00040506},
        {1592, 0x00070809}, {1596, 0x000A0B0C}, {1604, 0x00FF0080}, {1608, 0x0000FF00},
    };
    for (const Int32Field& field : fields)
        EXPECT_EQ(Int32At(bytes, field.offset), field.value) << "offset " << field.offset;
    EXPECT_EQ(NameAt(bytes, 16), u"marble.bmp");
    EXPECT_EQ(NameAt(bytes, 536), u"wood grain.bmp");
    EXPECT_EQ(NameAt(bytes, 1064), u"sky.bmp");
    EXPECT_EQ(ByteAt(bytes, 1600), 1u);
    EXPECT_EQ(ByteAt(bytes, 1601), 0x5Au) << "reserved bytes are kept";
    EXPECT_EQ(ByteAt(bytes, 1699), 0x6Bu);
    EXPECT_EQ(ByteAt(bytes, 1804), 1u);
    EXPECT_EQ(ByteAt(bytes, 1806), 0x7Cu);
    for (std::size_t at = 1708; at < 1804; ++at)
        ASSERT_EQ(ByteAt(bytes, at), 0u) << "the 96 reserved bytes are written as zero, " << at;

    // The layout part holds what the board showed when saving.
    const BoardLayout board = ReadBoardLayout();
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(Int32At(bytes, 1612 + 12 * i), board.tiles[i].x);
        EXPECT_EQ(Int32At(bytes, 1616 + 12 * i), board.tiles[i].y);
        EXPECT_EQ(Int32At(bytes, 1620 + 12 * i), board.tiles[i].orientation);
    }
    EXPECT_EQ(ByteAt(bytes, 1696), board.parallelogramMirrored ? 1u : 0u);
    EXPECT_EQ(Int32At(bytes, 1700), board.panelX);
    EXPECT_EQ(Int32At(bytes, 1704), board.panelY);

    const std::string saved = SettingsBytes();
    GameSettings = GameSettingsRecord{};
    LoadSettings();
    EXPECT_EQ(SettingsBytes(), saved);
    EXPECT_EQ(SettingsFileName(GameSettings.tileBitmapFile), "wood grain.bmp");
    EXPECT_TRUE(messages.requests().empty());
}

TEST_F(SettingsFile, FirstStartRunsOnTheShippedLookAndWritesTheFile)
{
    FillSettings(); // whatever memory held must not survive a missing file
    LoadSettings();
    ASSERT_EQ(messages.texts(), std::vector<std::string>{"File Not Found!"});
    EXPECT_EQ(messages.requests()[0].caption, "ERROR");
    EXPECT_EQ(messages.requests()[0].icon, plat::MessageIcon::Error);
    // Not black tiles on a black board: the very look the game ships with.
    std::ifstream shipped(std::string(ZENTILES_SOURCE_DIR) + "/assets/zentiles.cfg", std::ios::binary);
    EXPECT_EQ(SettingsBytes(), std::string(std::istreambuf_iterator<char>(shipped), {}));
    EXPECT_NE(GameSettings.tileColor, GameSettings.backgroundColor);
    EXPECT_FALSE(MessageBoxActive);

    SaveSettings();
    EXPECT_EQ(folder.read("zentiles.cfg").size(), 1808u);
    EXPECT_EQ(messages.requests().size(), 1u);
}

TEST_F(SettingsFile, ShortAndLongFiles)
{
    FillSettings();
    std::string whole = SettingsBytes();
    folder.write("zentiles.cfg", whole.substr(0, 530)); // ends inside the texture name
    LoadSettings();
    EXPECT_TRUE(messages.requests().empty());
    EXPECT_EQ(GameSettings.currentPuzzle, 42);
    EXPECT_EQ(SettingsFileName(GameSettings.textureFile), "marble.bmp");
    EXPECT_EQ(GameSettings.tileBitmapFile[0], 0);
    EXPECT_EQ(GameSettings.backgroundFill, 0);
    EXPECT_EQ(GameSettings.previewExpanded, 0);

    folder.write("zentiles.cfg", whole + std::string(64, '\x33'));
    LoadSettings();
    EXPECT_EQ(GameSettings.previewExpanded, 1);
    EXPECT_EQ(GameSettings.hintColor, 0x0000FF00u);
}

TEST_F(SettingsFile, DamagedFieldsAreBroughtIntoRange)
{
    struct Case {
        std::int32_t pack, puzzle;
        std::int32_t loadedPack, loadedPuzzle;
    };
    const Case cases[] = {
        {4, 99, 4, 99}, {5, 0, 0, 0}, {-1, 7, 0, 7}, {0, -3, 0, 0}, {2, 500, 2, 99},
    };
    for (const Case& c : cases) {
        GameSettings = GameSettingsRecord{};
        GameSettings.currentPack = c.pack;
        GameSettings.currentPuzzle = c.puzzle;
        std::fill(std::begin(GameSettings.backgroundBitmapFile),
                  std::end(GameSettings.backgroundBitmapFile), u'A');
        // Pairs of surrogates from the start: unit 258 is a high one, 259 its partner.
        for (int i = 0; i < kFileNameUnits; ++i)
            GameSettings.textureFile[i] = i % 2 ? char16_t{0xDE00} : char16_t{0xD83D};
        folder.write("zentiles.cfg", SettingsBytes());
        LoadSettings();
        EXPECT_EQ(GameSettings.currentPack, c.loadedPack) << c.pack;
        EXPECT_EQ(GameSettings.currentPuzzle, c.loadedPuzzle) << c.puzzle;
        EXPECT_EQ(SettingsFileName(GameSettings.backgroundBitmapFile), std::string(259, 'A'));
        EXPECT_EQ(GameSettings.backgroundBitmapFile[kFileNameUnits - 1], 0);
        EXPECT_EQ(SettingsFileName(GameSettings.textureFile).size(), 129u * 4) << "cut before the lone half";
    }
}

TEST_F(SettingsFile, FailedSaveKeepsTheOldFile)
{
    FillSettings();
    SaveSettings();
    const std::string before = folder.read("zentiles.cfg");
    GameSettings.currentPuzzle = 7;

    struct Case {
        plat::FileFaults faults;
        const char* message;
    };
    const Case cases[] = {
        {{true, -1, false}, "FileCreateError"},
        {{false, 1000, false}, "FileWriteError"},
        {{false, -1, true}, "FileWriteError"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        messages.clear();
        plat::SetFileFaults(c.faults);
        SaveSettings();
        plat::SetFileFaults({});
        EXPECT_EQ(messages.texts(), std::vector<std::string>{c.message});
        EXPECT_EQ(folder.read("zentiles.cfg"), before);
    }
}

TEST_F(SettingsFile, AFileThatCouldNotBeReadIsNeverReplaced)
{
    FillSettings();
    SaveSettings();
    const std::string before = folder.read("zentiles.cfg");

    // A read error part way: the fields read so far stay, the rest are 0.
    plat::SetFileFaults({.failReadAfterBytes = 100});
    LoadSettings();
    plat::SetFileFaults({});
    EXPECT_EQ(GameSettings.currentPuzzle, 42);
    EXPECT_EQ(GameSettings.hintColor, 0u);
    // Held by another program at start: not found, so the shipped look.
    plat::File holder = plat::OpenExistingFile(folder.file("zentiles.cfg"));
    LoadSettings();
    holder.close();
    EXPECT_EQ(GameSettings.tileColor, ShippedSettings().tileColor);
    // Either way what the file held was never seen, so it is not overwritten.
    SaveSettings();
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"FileReadError", "File Not Found!", "FileCreateError"}));
    EXPECT_EQ(folder.read("zentiles.cfg"), before);

    LoadSettings(); // read whole again: saved as usual
    GameSettings.currentPuzzle = 9;
    SaveSettings();
    EXPECT_EQ(messages.requests().size(), 3u);
    EXPECT_EQ(Int32At(folder.read("zentiles.cfg"), 4), 9);
}

TEST_F(SettingsFile, SavedLayoutIsSafeForTheBoard)
{
    struct Case {
        SavedTile stored;
        SavedTile restored;
    };
    const Case cases[] = {
        {{7, 13, 3}, {7, 13, 3}},        {{0, 0, 0}, {0, 0, 0}},
        {{34, 38, 7}, {34, 38, 7}},      {{-5, 200, 8}, {0, 38, 0}},
        {{1 << 30, -(1 << 30), -1}, {34, 0, 7}}, {{3, 4, -9}, {3, 4, 7}},
        {{3, 4, 2147483647}, {3, 4, 7}},
    };
    for (int i = 0; i < 7; ++i)
        GameSettings.savedTiles[i] = cases[i].stored;
    GameSettings.savedMirror = 2;
    GameSettings.previewX = 120;
    GameSettings.previewY = -4;
    const BoardLayout layout = SavedBoardLayout();
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(layout.tiles[i].x, cases[i].restored.x) << i;
        EXPECT_EQ(layout.tiles[i].y, cases[i].restored.y) << i;
        EXPECT_EQ(layout.tiles[i].orientation, cases[i].restored.orientation) << i;
    }
    EXPECT_TRUE(layout.parallelogramMirrored);
    EXPECT_EQ(layout.panelX, 120);
    EXPECT_EQ(layout.panelY, -4);
}

TEST_F(SettingsFile, FileNameFields)
{
    char16_t field[kFileNameUnits];
    std::fill(std::begin(field), std::end(field), u'x');
    SetSettingsFileName(field, "Küste.bmp");
    EXPECT_EQ(SettingsFileName(field), "Küste.bmp");
    EXPECT_EQ(field[9], 0);
    EXPECT_EQ(field[kFileNameUnits - 1], 0) << "the rest of the field is cleared";

    SetSettingsFileName(field, std::string(400, 'n'));
    EXPECT_EQ(SettingsFileName(field), std::string(259, 'n'));
    EXPECT_EQ(field[kFileNameUnits - 1], 0);
}
