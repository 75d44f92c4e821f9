// Progress files: byte layout, padding kept, missing and short files, safe saving, resets.
#include <sys/stat.h>

#include "data_fixture.h"

namespace {

ProgressRecord SampleProgress(int n)
{
    ProgressRecord record{};
    record.solved = static_cast<std::uint8_t>(n % 2);
    record.padding1[1] = static_cast<std::uint8_t>(0xA0 + n % 16);
    record.seconds = n * 3635 + 5; // up to three bytes wide, within 0..359999
    record.hints = static_cast<std::int8_t>(n % 8);
    record.padding2[2] = static_cast<std::uint8_t>(0x50 + n % 16);
    return record;
}

void FillProgress()
{
    for (int n = 0; n < kProgressRecordCount; ++n)
        PuzzlePack.progress[n] = SampleProgress(n);
}

bool SameProgress(const ProgressRecord& a, const ProgressRecord& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

using ProgressFile = DataFileTest;

TEST_F(ProgressFile, RoundTripByteForByteWithPadding)
{
    GameSettings.currentPack = 2;
    PuzzlePack.block.count = 15; // the whole 100 records are written whatever the count
    FillProgress();
    SaveProgress();
    const std::string bytes = folder.read("pack2.sdb");
    ASSERT_EQ(bytes.size(), 1200u);
    for (int n : {0, 1, 14, 15, 63, 99}) {
        const ProgressRecord expected = SampleProgress(n);
        const std::size_t at = 12 * static_cast<std::size_t>(n);
        EXPECT_EQ(ByteAt(bytes, at), expected.solved) << n;
        EXPECT_EQ(ByteAt(bytes, at + 2), expected.padding1[1]) << n;
        EXPECT_EQ(Int32At(bytes, at + 4), expected.seconds) << n;
        EXPECT_EQ(static_cast<std::int8_t>(bytes[at + 8]), expected.hints) << n;
        EXPECT_EQ(ByteAt(bytes, at + 11), expected.padding2[2]) << n;
    }

    PuzzlePack = PuzzlePackStore{};
    GameSettings.currentPack = 2;
    LoadProgress();
    for (int n = 0; n < kProgressRecordCount; ++n)
        EXPECT_TRUE(SameProgress(PuzzlePack.progress[n], SampleProgress(n))) << n;
    EXPECT_TRUE(messages.requests().empty());
}

TEST_F(ProgressFile, EachPackHasItsOwnFile)
{
    for (int pack = 0; pack < kPackCount; ++pack) {
        GameSettings.currentPack = pack;
        PuzzlePack.progress[0].seconds = 1000 + pack;
        SaveProgress();
    }
    for (int pack = 0; pack < kPackCount; ++pack) {
        SCOPED_TRACE(PackTable[pack].progressFile);
        EXPECT_EQ(Int32At(folder.read(PackTable[pack].progressFile), 4), 1000 + pack);
        GameSettings.currentPack = pack;
        LoadProgress();
        EXPECT_EQ(PuzzlePack.progress[0].seconds, 1000 + pack);
    }
}

TEST_F(ProgressFile, MissingAndShortFilesLeaveNothingFromThePreviousPack)
{
    GameSettings.currentPack = 1;
    FillProgress();
    LoadProgress();
    EXPECT_TRUE(messages.requests().empty()) << "a pack never played has no progress file";
    for (const ProgressRecord& record : PuzzlePack.progress)
        EXPECT_TRUE(SameProgress(record, ProgressRecord{}));

    // Three and a half records: the leading three are read, the rest is zero.
    FillProgress();
    const std::string whole(reinterpret_cast<const char*>(PuzzlePack.progress), 1200);
    folder.write("pack1.sdb", whole.substr(0, 42));
    PuzzlePack.progress[50].seconds = 4242;
    LoadProgress();
    EXPECT_TRUE(messages.requests().empty());
    EXPECT_TRUE(SameProgress(PuzzlePack.progress[2], SampleProgress(2)));
    EXPECT_EQ(PuzzlePack.progress[3].solved, SampleProgress(3).solved);
    EXPECT_EQ(PuzzlePack.progress[3].hints, 0) << "past the end of the file";
    EXPECT_EQ(PuzzlePack.progress[50].seconds, 0);

    // Bytes past the 100 records are ignored.
    folder.write("pack1.sdb", whole + "extra bytes");
    LoadProgress();
    EXPECT_TRUE(SameProgress(PuzzlePack.progress[99], SampleProgress(99)));
}

TEST_F(ProgressFile, FailedSaveKeepsTheOldFile)
{
    GameSettings.currentPack = CustomPackIndex;
    FillProgress();
    SaveProgress();
    const std::string before = folder.read("custom.sdb");
    PuzzlePack.progress[7].seconds = 5;

    struct Case {
        plat::FileFaults faults;
        const char* message;
    };
    const Case cases[] = {
        {{true, -1, false}, "FileCreateError"},
        {{false, 600, false}, "FileWriteError"},
        {{false, -1, true}, "FileWriteError"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        messages.clear();
        plat::SetFileFaults(c.faults);
        SaveProgress();
        plat::SetFileFaults({});
        ASSERT_EQ(messages.texts(), std::vector<std::string>{c.message});
        EXPECT_EQ(messages.requests()[0].caption, "ERROR");
        EXPECT_EQ(messages.requests()[0].icon, plat::MessageIcon::Error);
        EXPECT_EQ(folder.read("custom.sdb"), before);
    }
    EXPECT_FALSE(MessageBoxActive);

    messages.clear();
    ASSERT_EQ(::chmod(folder.file("custom.sdb").c_str(), 0444), 0);
    SaveProgress();
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"FileCreateError"});
    EXPECT_EQ(folder.read("custom.sdb"), before);
}

TEST_F(ProgressFile, DamagedValuesComeInRangeAndUnreadFilesAreKept)
{
    GameSettings.currentPack = 3;
    FillProgress();
    const std::pair<std::int32_t, std::int8_t> damaged[] = {{-5, -128}, {2147483647, 100}, {360000, 8}};
    for (int n = 0; n < 3; ++n) {
        PuzzlePack.progress[n].seconds = damaged[n].first;
        PuzzlePack.progress[n].hints = damaged[n].second;
    }
    SaveProgress();
    const std::string before = folder.read("pack3.sdb");
    LoadProgress();
    const std::pair<std::int32_t, std::int8_t> loaded[] = {{0, 0}, {359999, 7}, {359999, 7}};
    for (int n = 0; n < 3; ++n) {
        EXPECT_EQ(PuzzlePack.progress[n].seconds, loaded[n].first) << n;
        EXPECT_EQ(PuzzlePack.progress[n].hints, loaded[n].second) << n;
    }
    EXPECT_TRUE(SameProgress(PuzzlePack.progress[3], SampleProgress(3)));

    // A read error part way: "FileReadError", the records read so far, the rest zero.
    plat::SetFileFaults({.failReadAfterBytes = 600});
    LoadProgress();
    plat::SetFileFaults({});
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"FileReadError"});
    EXPECT_TRUE(SameProgress(PuzzlePack.progress[49], SampleProgress(49)));
    EXPECT_TRUE(SameProgress(PuzzlePack.progress[50], ProgressRecord{}));
    SaveProgress(); // the file the game could not read whole is kept
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"FileReadError", "FileCreateError"}));
    EXPECT_EQ(folder.read("pack3.sdb"), before);
}

TEST_F(ProgressFile, ClearAllResetsOnlyThePacksPuzzles)
{
    GameSettings.currentPack = 0;
    PuzzlePack.block.count = 15;
    FillProgress();
    for (int n = 0; n < PackCount(); ++n)
        ResetProgressRecord(n);
    ResetProgressRecord(-1);
    ResetProgressRecord(100);
    SaveProgress();

    GameSettings.currentPack = 0;
    PuzzlePack = PuzzlePackStore{};
    LoadProgress();
    for (int n = 0; n < kProgressRecordCount; ++n) {
        const ProgressRecord& record = PuzzlePack.progress[n];
        ProgressRecord expected = SampleProgress(n);
        if (n < 15) {
            expected.solved = 0;
            expected.seconds = 0;
            expected.hints = 0; // the padding is left as the file had it
        }
        EXPECT_TRUE(SameProgress(record, expected)) << n;
    }
}
