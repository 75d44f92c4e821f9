// Tests of the file service: exclusive opens, replacing writes, copies and listings.
#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <future>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace {

using testsupport::TempFolder;

std::vector<std::string> ReaddirOrder(const std::string& folder)
{
    std::vector<std::string> names;
    DIR* dir = opendir(folder.c_str());
    while (const dirent* entry = readdir(dir))
        names.emplace_back(entry->d_name);
    closedir(dir);
    return names;
}

std::string ReadWhole(plat::File& file)
{
    std::string bytes(64, '\0');
    std::size_t got = 0;
    EXPECT_TRUE(file.read(bytes.data(), bytes.size(), &got));
    bytes.resize(got);
    return bytes;
}

TEST(FilesTest, ExclusiveOpenKeepsEveryOtherOpenOut)
{
    TempFolder temp;
    std::string path = temp.write("pack.zdb", "abc");

    plat::File first = plat::OpenExistingFile(path);
    ASSERT_TRUE(first);
    EXPECT_FALSE(plat::OpenExistingFile(path));
    EXPECT_FALSE(plat::OpenExistingFile(path)) << "a failed open must not release the lock";
    EXPECT_FALSE(plat::CreateReplacingFile(path));
    EXPECT_FALSE(plat::OpenFileForReading(path));
    EXPECT_FALSE(plat::DeleteFileAt(path));
    EXPECT_FALSE(plat::CopyFileReplacing(temp.write("other", "x"), path));

    // The lock travels with the object when it is moved.
    plat::File moved = std::move(first);
    EXPECT_FALSE(first);
    EXPECT_FALSE(plat::OpenExistingFile(path));
    EXPECT_EQ(ReadWhole(moved), "abc");
    moved.close();

    plat::File again = plat::OpenExistingFile(path);
    EXPECT_TRUE(again);
    ASSERT_TRUE(again.write("xy", 2));
    again.close();
    EXPECT_EQ(temp.read("pack.zdb"), "xyc") << "an existing open writes in place";
    EXPECT_TRUE(plat::DeleteFileAt(path));
    EXPECT_FALSE(plat::FileExists(path));
    EXPECT_FALSE(plat::DeleteFileAt(path));
}

TEST(FilesTest, ReadersShareButExcludeWriters)
{
    TempFolder temp;
    std::string path = temp.write("a.bmp", "BM");
    plat::File one = plat::OpenFileForReading(path);
    plat::File two = plat::OpenFileForReading(path);
    ASSERT_TRUE(one);
    ASSERT_TRUE(two);
    EXPECT_FALSE(plat::OpenExistingFile(path));
    EXPECT_FALSE(plat::CreateReplacingFile(path));
    EXPECT_FALSE(one.write("x", 1)) << "a reading open cannot write";
    one.close();
    two.close();
    EXPECT_TRUE(plat::OpenExistingFile(path));
    EXPECT_FALSE(plat::OpenFileForReading(temp.file("missing.bmp")));
}

TEST(FilesTest, ReadOnlyFilesAndFoldersAreRefused)
{
    TempFolder temp;
    std::string path = temp.write("zentiles.cfg", "old");
    chmod(path.c_str(), 0444);
    EXPECT_FALSE(plat::OpenExistingFile(path));
    EXPECT_FALSE(plat::CreateReplacingFile(path));
    EXPECT_FALSE(plat::DeleteFileAt(path));
    EXPECT_TRUE(plat::OpenFileForReading(path));
    EXPECT_EQ(temp.read("zentiles.cfg"), "old");

    std::filesystem::create_directory(temp.file("folder"));
    EXPECT_FALSE(plat::OpenExistingFile(temp.file("folder")));
    EXPECT_FALSE(plat::CreateReplacingFile(temp.file("folder")));
    EXPECT_FALSE(plat::FileExists(temp.file("folder")));
    EXPECT_FALSE(plat::OpenExistingFile(temp.file("missing")));
}

TEST(FilesTest, FifosAreRefusedWithoutWaiting)
{
    TempFolder temp;
    std::string fifo = temp.file("wood.bmp");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0666), 0);
    // Opening a FIFO for reading waits for a writer; the opens must refuse it at once instead.
    auto opens = std::async(std::launch::async, [&] {
        return !plat::OpenFileForReading(fifo) && !plat::OpenExistingFile(fifo) &&
               !plat::CreateReplacingFile(fifo) && !plat::CopyFileReplacing(fifo, temp.file("copy"));
    });
    while (opens.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        ADD_FAILURE() << "an open waited on the FIFO";
        close(open(fifo.c_str(), O_WRONLY | O_NONBLOCK)); // lets the waiting open go on
    }
    EXPECT_TRUE(opens.get());
}

TEST(FilesTest, ReplacingALinkWritesItsTarget)
{
    TempFolder temp;
    std::filesystem::create_directory(temp.file("real"));
    temp.write("real/zentiles.cfg", "old");
    std::filesystem::create_symlink("real/zentiles.cfg", temp.file("zentiles.cfg"));
    std::filesystem::create_symlink(temp.file("zentiles.cfg"), temp.file("twice.cfg"));
    std::filesystem::create_symlink("real/new.sdb", temp.file("dangling.sdb"));
    for (const char* name : {"zentiles.cfg", "twice.cfg", "dangling.sdb"}) {
        plat::File file = plat::CreateReplacingFile(temp.file(name));
        ASSERT_TRUE(file && file.write(name, 5) && file.commit()) << name;
        EXPECT_TRUE(std::filesystem::is_symlink(temp.file(name))) << name << " stays a link";
    }
    EXPECT_EQ(temp.read("real/zentiles.cfg"), "twice");
    EXPECT_EQ(temp.read("real/new.sdb"), "dangl");
    EXPECT_EQ(plat::ListFiles(temp.folder() + "real", "*").size(), 2u) << "no temporary left";
}

TEST(FilesTest, ReplacingWriteAppearsOnlyAtCommit)
{
    TempFolder temp;
    std::string path = temp.write("custom.sdb", "old bytes");
    chmod(path.c_str(), 0640);

    plat::File file = plat::CreateReplacingFile(path);
    ASSERT_TRUE(file);
    ASSERT_TRUE(file.write("new", 3));
    EXPECT_EQ(temp.read("custom.sdb"), "old bytes");
    EXPECT_FALSE(plat::OpenExistingFile(path)) << "the old file stays held while replacing";
    ASSERT_TRUE(file.commit());
    EXPECT_FALSE(file);
    EXPECT_EQ(temp.read("custom.sdb"), "new");

    struct stat info;
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u) << "replacing keeps the file's permissions";
    EXPECT_EQ(plat::ListFiles(temp.folder(), "*"), std::vector<std::string>{"custom.sdb"});
    EXPECT_TRUE(plat::OpenExistingFile(path));

    plat::File fresh = plat::CreateReplacingFile(temp.file("new.zdb"));
    ASSERT_TRUE(fresh);
    EXPECT_TRUE(fresh.write("n", 1));
    EXPECT_TRUE(fresh.commit());
    EXPECT_EQ(temp.read("new.zdb"), "n");
}

TEST(FilesTest, FailedReplacingWriteKeepsTheOldFile)
{
    struct Case {
        const char* name;
        plat::FileFaults faults;
        bool commit;      // try to commit after writing
        bool created;     // expected result of the create
        bool written;     // expected result of the write
    };
    const Case cases[] = {
        {"closed without commit", {}, false, true, true},
        {"create fails", {true, -1, false}, true, false, false},
        {"write fails midway", {false, 4, false}, true, true, false},
        {"commit fails", {false, -1, true}, true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder temp;
        std::string path = temp.write("zentiles.cfg", "old bytes");
        plat::SetFileFaults(c.faults);
        {
            plat::File file = plat::CreateReplacingFile(path);
            EXPECT_EQ(static_cast<bool>(file), c.created);
            EXPECT_EQ(file.write("new bytes!", 10), c.written);
            if (c.commit) {
                EXPECT_FALSE(file.commit());
            }
        }
        plat::SetFileFaults({});
        EXPECT_EQ(temp.read("zentiles.cfg"), "old bytes");
        EXPECT_EQ(plat::ListFiles(temp.folder(), "*"), std::vector<std::string>{"zentiles.cfg"})
            << "no temporary file may be left behind";
        EXPECT_TRUE(plat::OpenExistingFile(path)) << "the old file is released";

        // Without an old file, an abandoned write leaves nothing.
        plat::SetFileFaults(c.faults);
        { plat::File file = plat::CreateReplacingFile(temp.file("new.sdb")); file.write("x", 1); }
        plat::SetFileFaults({});
        EXPECT_FALSE(plat::FileExists(temp.file("new.sdb")));
    }
}

TEST(FilesTest, WriteFaultCountsBytesAcrossWrites)
{
    TempFolder temp;
    plat::SetFileFaults({false, 5, false});
    plat::File file = plat::CreateReplacingFile(temp.file("a"));
    EXPECT_TRUE(file.write("abc", 3));
    EXPECT_TRUE(file.write("de", 2));
    EXPECT_FALSE(file.write("f", 1));
    plat::SetFileFaults({});
    EXPECT_TRUE(file.write("g", 1)) << "clearing the faults lets writes through again";
    EXPECT_FALSE(file.commit()) << "a file with a lost write must not replace anything";
    EXPECT_FALSE(plat::FileExists(temp.file("a")));
}

TEST(FilesTest, ReadsReportShortFiles)
{
    TempFolder temp;
    plat::File file = plat::OpenExistingFile(temp.write("short", "12345"));
    ASSERT_TRUE(file);
    char buffer[8] = {};
    EXPECT_FALSE(file.readAll(buffer, 8));
    EXPECT_EQ(std::string(buffer, 5), "12345") << "what was read stays";
    std::size_t got = 99;
    EXPECT_TRUE(file.read(buffer, 8, &got));
    EXPECT_EQ(got, 0u);
    file.close();

    plat::File whole = plat::OpenFileForReading(temp.file("short"));
    EXPECT_TRUE(whole.readAll(buffer, 5));
    plat::File closed;
    EXPECT_FALSE(closed.read(buffer, 1, &got));
    EXPECT_FALSE(closed.write(buffer, 1));
    EXPECT_FALSE(closed.commit());
}

TEST(FilesTest, CopyIsWholeOrNothing)
{
    TempFolder temp;
    std::string big(200000, '\0');
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>(i * 7 + i / 256);
    std::string from = temp.write("import.zdb", big);
    std::string to = temp.write("custom.zdb", "old");

    plat::SetFileFaults({false, 100000, false});
    EXPECT_FALSE(plat::CopyFileReplacing(from, to));
    plat::SetFileFaults({});
    EXPECT_EQ(temp.read("custom.zdb"), "old");

    EXPECT_FALSE(plat::CopyFileReplacing(temp.file("missing.zdb"), to));
    EXPECT_EQ(temp.read("custom.zdb"), "old");

    EXPECT_TRUE(plat::CopyFileReplacing(from, to));
    EXPECT_EQ(temp.read("custom.zdb"), big);
    EXPECT_TRUE(plat::CopyFileReplacing(from, temp.file("fresh.zdb")));
    EXPECT_EQ(temp.read("fresh.zdb"), big);
    EXPECT_FALSE(plat::CopyFileReplacing(from, from)) << "a file cannot replace itself";
    EXPECT_EQ(temp.read("import.zdb"), big);
}

TEST(FilesTest, ListingMatchesPatternIgnoringCaseInFolderOrder)
{
    TempFolder temp;
    for (const char* name : {"b.bmp", "A.BMP", "c.Bmp", "notes.txt", "x.bmpx", "bmp", ".bmp.tmp"})
        temp.write(name, "x");
    std::filesystem::create_directory(temp.file("dir.bmp"));

    std::vector<std::string> expected;
    for (const std::string& name : ReaddirOrder(temp.folder()))
        if (name == "b.bmp" || name == "A.BMP" || name == "c.Bmp")
            expected.push_back(name);
    EXPECT_EQ(plat::ListFiles(temp.folder(), "*.bmp"), expected);
    EXPECT_EQ(plat::ListFiles(temp.folder(), "*.BMP"), expected);
    EXPECT_EQ(plat::ListFiles(temp.folder(), "?.txt"), std::vector<std::string>{});
    EXPECT_EQ(plat::ListFiles(temp.folder(), "notes.*"), std::vector<std::string>{"notes.txt"});
    EXPECT_EQ(plat::ListFiles(temp.folder(), "*").size(), 7u) << "folders are not listed";
    EXPECT_TRUE(plat::ListFiles(temp.file("missing"), "*.bmp").empty());
}

TEST(FilesTest, SystemPathsMapToHostPaths)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Bitmaps\\sky.bmp", "Bitmaps/sky.bmp"},
        {"\\\\a\\b\\", "//a/b/"},
        {"plain.zdb", "plain.zdb"},
        {"", ""},
    };
    for (const auto& [system, host] : cases)
        EXPECT_EQ(plat::HostPath(system), host) << system;

    TempFolder temp;
    std::filesystem::create_directory(temp.file("Textures"));
    temp.write("Textures/wood.bmp", "BM");
    EXPECT_TRUE(plat::FileExists(temp.folder() + "Textures\\wood.bmp"));
    EXPECT_EQ(plat::ListFiles(temp.folder() + "Textures\\", "*.bmp"), std::vector<std::string>{"wood.bmp"});
    EXPECT_TRUE(plat::OpenExistingFile(temp.folder() + "Textures\\wood.bmp"));
}

TEST(FilesTest, ExecutableFolderHoldsTheRunningProgram)
{
    std::string folder = plat::ExecutableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_EQ(std::filesystem::canonical(folder), std::filesystem::canonical(ZENTILES_BINARY_DIR));
    EXPECT_TRUE(plat::FileExists(folder + "zentiles_tests"));
}

} // namespace
