// Pack files: byte layout, check bytes, damaged and missing files, safe saving, recording puzzles.
#include <filesystem>
#include <set>

#include <sys/stat.h>

#include "data_fixture.h"
#include "platform/runtime.h"

namespace {

// A recognisable record: no two records of a pack alike.
PuzzleRecord SamplePuzzle(int n)
{
    PuzzleRecord record{};
    for (int i = 0; i < 7; ++i) {
        record.x[i] = static_cast<std::int8_t>((n + i) % 30);
        record.y[i] = static_cast<std::int8_t>((2 * n + i) % 30);
        record.orientation[i] = static_cast<std::int8_t>((n + 3 * i) % 8);
    }
    record.mirrored = static_cast<std::uint8_t>(n % 2);
    return record;
}

void FillPack(int count)
{
    PuzzlePack.block.count = static_cast<std::int8_t>(count);
    for (int n = 0; n < kPuzzlesPerPack; ++n)
        PuzzlePack.block.puzzles[n] = SamplePuzzle(n);
}

bool SamePuzzle(const PuzzleRecord& a, const PuzzleRecord& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool BlockIsZero()
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(&PuzzlePack.block);
    for (std::size_t i = 0; i < sizeof PuzzlePack.block; ++i)
        if (bytes[i] != 0)
            return false;
    return true;
}

} // namespace

using PuzzlePackFile = DataFileTest;

TEST_F(PuzzlePackFile, BuiltInPacksRoundTripByteForByte)
{
    for (int pack = 0; pack < CustomPackIndex; ++pack) {
        SCOPED_TRACE(PackTable[pack].packFile);
        GameSettings.currentPack = pack;
        PuzzlePack = PuzzlePackStore{};
        FillPack(15);
        SavePack();

        const std::string bytes = folder.read(PackTable[pack].packFile);
        ASSERT_EQ(bytes.size(), 2203u);
        EXPECT_EQ(ByteAt(bytes, 0), 15u);
        EXPECT_EQ(static_cast<std::int8_t>(bytes[1]), PackTable[pack].headCheck);
        EXPECT_EQ(static_cast<std::int8_t>(bytes[2202]), PackTable[pack].tailCheck);
        for (int n : {0, 14, 57, 99}) {
            const PuzzleRecord expected = SamplePuzzle(n);
            const std::size_t at = 2 + 22 * static_cast<std::size_t>(n);
            EXPECT_EQ(static_cast<std::int8_t>(bytes[at + 3]), expected.x[3]);
            EXPECT_EQ(static_cast<std::int8_t>(bytes[at + 7 + 6]), expected.y[6]);
            EXPECT_EQ(static_cast<std::int8_t>(bytes[at + 14 + 2]), expected.orientation[2]);
            EXPECT_EQ(ByteAt(bytes, at + 21), expected.mirrored);
        }

        PuzzlePack = PuzzlePackStore{};
        LoadPack();
        EXPECT_EQ(PackCount(), 15);
        for (int n = 0; n < kPuzzlesPerPack; ++n)
            EXPECT_TRUE(SamePuzzle(PuzzlePack.block.puzzles[n], SamplePuzzle(n))) << n;
    }
    EXPECT_TRUE(messages.requests().empty());
}

TEST_F(PuzzlePackFile, WrongCheckBytesRejectOnlyBuiltInPacks)
{
    GameSettings.currentPack = 1;
    FillPack(15);
    SavePack();
    const std::string pack1 = folder.read("pack1.zdb");
    folder.write("pack2.zdb", pack1);
    folder.write("custom.zdb", pack1);

    GameSettings.currentPack = 2;
    LoadPack();
    ASSERT_EQ(messages.texts(), std::vector<std::string>{"Invalid File Format"});
    const plat::MessageBoxRequest& box = messages.requests()[0];
    EXPECT_EQ(box.caption, "ERROR");
    EXPECT_EQ(box.icon, plat::MessageIcon::Error);
    EXPECT_EQ(box.buttons, plat::MessageButtons::Ok);
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(PackCount(), 0);
    EXPECT_TRUE(BlockIsZero());

    messages.clear();
    GameSettings.currentPack = CustomPackIndex;
    LoadPack();
    EXPECT_TRUE(messages.requests().empty());
    EXPECT_EQ(PackCount(), 15);
    EXPECT_TRUE(SamePuzzle(PuzzlePack.block.puzzles[9], SamplePuzzle(9)));

    // Only one of the two bytes wrong is enough to reject.
    std::string tailOnly = pack1;
    tailOnly[2202] = static_cast<char>(tailOnly[2202] + 1);
    folder.write("pack1.zdb", tailOnly);
    GameSettings.currentPack = 1;
    LoadPack();
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Invalid File Format"});
    EXPECT_EQ(PackCount(), 0);
}

TEST_F(PuzzlePackFile, MessageBoxActiveOnlyWhileTheBoxIsUp)
{
    std::vector<bool> activeDuringBox;
    plat::MessageBoxHandler previous =
        plat::SetMessageBoxHandler([&](const plat::MessageBoxRequest&) {
            activeDuringBox.push_back(MessageBoxActive);
            return plat::MessageResult::Ok;
        });
    LoadPack(); // freeware.zdb is missing
    plat::SetMessageBoxHandler(std::move(previous));
    EXPECT_EQ(activeDuringBox, std::vector<bool>{true});
    EXPECT_FALSE(MessageBoxActive);
}

TEST_F(PuzzlePackFile, MissingOrReadOnlyFileStillLoadsProgress)
{
    ProgressRecord progress[kProgressRecordCount]{};
    progress[4].solved = 1;
    progress[4].seconds = 77;
    folder.write("pack3.sdb", std::string(reinterpret_cast<const char*>(progress), 1200));
    GameSettings.currentPack = 3;
    FillPack(40); // left over from an earlier pack

    LoadPack();
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"File Not Found!"});
    EXPECT_EQ(PackCount(), 0);
    EXPECT_TRUE(BlockIsZero());
    EXPECT_EQ(PuzzlePack.progress[4].seconds, 77);

    // A file that is there but cannot be opened for writing counts as missing.
    FillPack(15);
    SavePack();
    ASSERT_EQ(::chmod(folder.file("pack3.zdb").c_str(), 0444), 0);
    messages.clear();
    LoadPack();
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"File Not Found!"});
    EXPECT_EQ(PackCount(), 0);
}

TEST_F(PuzzlePackFile, ReadErrorsAndClosingDuringABoxLoseNothing)
{
    GameSettings.currentPack = CustomPackIndex;
    FillPack(12);
    SavePack();
    const std::string custom = folder.read("custom.zdb");
    plat::SetFileFaults({.failReadAfterBytes = 1000});
    LoadPack();
    plat::SetFileFaults({});
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"FileReadError"});
    EXPECT_TRUE(BlockIsZero());
    SavePack(); // the pack it could not read is kept
    EXPECT_EQ(folder.read("custom.zdb"), custom);

    // From pack 1 to pack 2, whose file is damaged. The game ends while "Invalid File Format" is
    // up (this box handler saves as a close would): pack 1's records must not land in pack 2's
    // progress file.
    ProgressRecord progress[kProgressRecordCount]{};
    progress[0].seconds = 222;
    folder.write("pack2.sdb", std::string(reinterpret_cast<const char*>(progress), 1200));
    folder.write("pack2.zdb", std::string(2203, '\x01'));
    GameSettings.currentPack = 1;
    LoadPack();
    PuzzlePack.progress[0].seconds = 111;
    GameSettings.currentPack = 2;
    messages.clear();
    plat::MessageBoxHandler previous = plat::SetMessageBoxHandler([](const plat::MessageBoxRequest&) {
        SaveProgress();
        return plat::MessageResult::Ok;
    });
    LoadPack();
    plat::SetMessageBoxHandler(std::move(previous));
    EXPECT_EQ(Int32At(folder.read("pack2.sdb"), 4), 222);
    EXPECT_EQ(PuzzlePack.progress[0].seconds, 222);
}

TEST_F(PuzzlePackFile, ShortAndLongFiles)
{
    GameSettings.currentPack = 0;
    FillPack(15);
    SavePack();
    const std::string whole = folder.read("freeware.zdb");

    // Extra bytes after the block are ignored.
    folder.write("freeware.zdb", whole + std::string(50, '\x7f'));
    PuzzlePack = PuzzlePackStore{};
    LoadPack();
    EXPECT_TRUE(messages.requests().empty());
    EXPECT_EQ(PackCount(), 15);

    // A short built-in pack lacks its tail check byte.
    folder.write("freeware.zdb", whole.substr(0, 1000));
    LoadPack();
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Invalid File Format"});
    EXPECT_TRUE(BlockIsZero());

    // A short custom pack keeps its leading records; the rest is not left over from before.
    messages.clear();
    folder.write("custom.zdb", whole.substr(0, 2 + 22 * 3));
    GameSettings.currentPack = CustomPackIndex;
    FillPack(15);
    PuzzlePack.block.puzzles[50].x[0] = 99;
    LoadPack();
    EXPECT_TRUE(messages.requests().empty());
    EXPECT_EQ(PackCount(), 15);
    EXPECT_TRUE(SamePuzzle(PuzzlePack.block.puzzles[2], SamplePuzzle(2)));
    EXPECT_TRUE(SamePuzzle(PuzzlePack.block.puzzles[3], PuzzleRecord{}));
    EXPECT_TRUE(SamePuzzle(PuzzlePack.block.puzzles[50], PuzzleRecord{}));

    // An empty file holds nothing at all.
    folder.write("custom.zdb", "");
    LoadPack();
    EXPECT_EQ(PackCount(), 0);
}

TEST_F(PuzzlePackFile, CustomPackDrawsFreshCheckBytes)
{
    GameSettings.currentPack = CustomPackIndex;
    FillPack(5);
    plat::SeedRandom(1234);
    const unsigned head = 100 + plat::Random() % 150;
    const unsigned tail = 100 + plat::Random() % 150;
    plat::SeedRandom(1234);
    SavePack();
    std::string bytes = folder.read("custom.zdb");
    ASSERT_EQ(bytes.size(), 2203u);
    EXPECT_EQ(ByteAt(bytes, 1), head);
    EXPECT_EQ(ByteAt(bytes, 2202), tail);

    std::set<unsigned> heads;
    for (int save = 0; save < 30; ++save) {
        SavePack();
        bytes = folder.read("custom.zdb");
        for (std::size_t at : {std::size_t{1}, std::size_t{2202}}) {
            EXPECT_GE(ByteAt(bytes, at), 100u);
            EXPECT_LE(ByteAt(bytes, at), 249u);
        }
        heads.insert(ByteAt(bytes, 1));
    }
    EXPECT_GT(heads.size(), 1u);
    EXPECT_TRUE(messages.requests().empty());
}

TEST_F(PuzzlePackFile, FailedSaveKeepsTheOldFile)
{
    GameSettings.currentPack = 2;
    FillPack(20);
    SavePack();
    const std::string before = folder.read("pack2.zdb");
    PuzzlePack.block.count = 33;

    struct Case {
        plat::FileFaults faults;
        const char* message;
    };
    const Case cases[] = {
        {{true, -1, false}, "FileCreateError"},
        {{false, 0, false}, "FileWriteError"},
        {{false, 1000, false}, "FileWriteError"},
        {{false, -1, true}, "FileWriteError"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        messages.clear();
        plat::SetFileFaults(c.faults);
        SavePack();
        plat::SetFileFaults({});
        EXPECT_EQ(messages.texts(), std::vector<std::string>{c.message});
        EXPECT_EQ(folder.read("pack2.zdb"), before);
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.folder()),
                            std::filesystem::directory_iterator()),
              1)
        << "a failed save leaves no stray file behind";
}

TEST_F(PuzzlePackFile, RecordPuzzleNormalisesTheBoard)
{
    // Leftmost tile edge at pixel 21, topmost at 35.
    const BoardTile board[7] = {{21, 70, 0}, {56, 35, 1}, {35, 49, 2}, {70, 84, 3},
                                {28, 42, 9}, {98, 35, -1}, {49, 63, 7}};
    BoardTile shifted[7];
    for (int i = 0; i < 7; ++i)
        shifted[i] = {board[i].x + 63, board[i].y + 105, board[i].orientation};

    PuzzlePack.block.count = 10;
    RecordPuzzle(3, board, true);
    RecordPuzzle(4, shifted, true);
    const PuzzleRecord& record = PuzzlePack.block.puzzles[3];
    const std::int8_t expectedX[7] = {0, 5, 2, 7, 1, 11, 4};
    const std::int8_t expectedY[7] = {5, 0, 2, 7, 1, 0, 4};
    const std::int8_t expectedTurn[7] = {0, 1, 2, 3, 1, 7, 7};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(record.x[i], expectedX[i]) << i;
        EXPECT_EQ(record.y[i], expectedY[i]) << i;
        EXPECT_EQ(record.orientation[i], expectedTurn[i]) << i;
    }
    EXPECT_EQ(record.mirrored, 1);
    EXPECT_TRUE(SamePuzzle(PuzzlePack.block.puzzles[4], record));
    EXPECT_EQ(PuzzlePack.progress[3].solved, 1);
    EXPECT_EQ(PackCount(), 10) << "storing inside the pack keeps count";

    RecordPuzzle(10, board, false);
    EXPECT_EQ(PackCount(), 11) << "storing on the empty slot appends";
    EXPECT_EQ(PuzzlePack.block.puzzles[10].mirrored, 0);

    const PackBlock before = PuzzlePack.block;
    RecordPuzzle(100, board, false);
    RecordPuzzle(-1, board, false);
    EXPECT_EQ(std::memcmp(&before, &PuzzlePack.block, sizeof before), 0);
}

TEST_F(PuzzlePackFile, DamagedFieldsReadSafely)
{
    struct CountCase {
        std::int8_t stored;
        int seen;
    };
    for (CountCase c : {CountCase{0, 0}, CountCase{15, 15}, CountCase{100, 100},
                        CountCase{101, 100}, CountCase{127, 100}, CountCase{-1, 0},
                        CountCase{-128, 0}}) {
        PuzzlePack.block.count = c.stored;
        EXPECT_EQ(PackCount(), c.seen) << int{c.stored};
    }
    struct TurnCase {
        std::int8_t stored;
        int seen;
    };
    PuzzleRecord record{};
    for (TurnCase c : {TurnCase{0, 0}, TurnCase{7, 7}, TurnCase{8, 0}, TurnCase{13, 5},
                       TurnCase{-1, 7}, TurnCase{-128, 0}, TurnCase{127, 7}}) {
        record.orientation[5] = c.stored;
        EXPECT_EQ(OrientationOf(record, 5), c.seen) << int{c.stored};
    }
    for (int pack : {-1, 5, 1000}) {
        GameSettings.currentPack = pack;
        EXPECT_EQ(&CurrentPackEntry(), &PackTable[0]);
    }
    GameSettings.currentPack = CustomPackIndex;
    EXPECT_STREQ(CurrentPackEntry().packFile, "custom.zdb");
}
