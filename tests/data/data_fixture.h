// Test fixture for the data files: a fresh program folder, empty stores, recorded message boxes.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "app/shell_state.h"
#include "data/puzzle_pack.h"
#include "data/settings.h"
#include "platform/files.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"

class DataFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedDirectory_ = ProgramDirectory;
        ProgramDirectory = folder.folder();
        ResetShellState();
        PuzzlePack = PuzzlePackStore{};
        GameSettings = GameSettingsRecord{};
        plat::SetFileFaults({});
    }
    void TearDown() override
    {
        plat::SetFileFaults({});
        ProgramDirectory = savedDirectory_;
    }

    // Little-endian int32 at offset of a file's bytes.
    static std::int32_t Int32At(const std::string& bytes, std::size_t offset)
    {
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i)
            value = (value << 8) | static_cast<unsigned char>(bytes.at(offset + i));
        return static_cast<std::int32_t>(value);
    }
    static unsigned ByteAt(const std::string& bytes, std::size_t offset)
    {
        return static_cast<unsigned char>(bytes.at(offset));
    }

    testsupport::TempFolder folder;
    testsupport::MessageRecorder messages;

private:
    std::string savedDirectory_;
};
