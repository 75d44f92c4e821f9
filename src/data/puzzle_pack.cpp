// The current pack in memory and the pack files: the pack table, loading, saving and recording
// a puzzle from the board.
#include "data/puzzle_pack.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "app/shell_state.h"
#include "data/record_files.h"
#include "data/settings.h"
#include "platform/menu.h"
#include "platform/runtime.h"
#include "resources/command_ids.h"

PuzzlePackStore PuzzlePack{};

const PackTableEntry PackTable[kPackCount] = {
    {"Freeware Pack", "freeware.zdb", "freeware.sdb", 4, 6},
    {"Puzzle Pack 1", "pack1.zdb", "pack1.sdb", 26, 1},
    {"Puzzle Pack 2", "pack2.zdb", "pack2.sdb", 96, 98},
    {"Puzzle Pack 3", "pack3.zdb", "pack3.sdb", 2, 4},
    {"Custom Pack", "custom.zdb", "custom.sdb", 0, 0}, // check bytes drawn at each save
};

namespace {

constexpr int kGridUnit = 7; // board pixels per grid cell

int CurrentPackIndex()
{
    const int pack = GameSettings.currentPack;
    return pack >= 0 && pack < kPackCount ? pack : 0;
}

// A custom-pack check byte: 100..249, stored in the signed byte as is.
std::int8_t DrawCheckByte()
{
    const unsigned value = 100 + plat::Random() % 150;
    return static_cast<std::int8_t>(static_cast<std::uint8_t>(value));
}

bool ChecksMatch(const PackBlock& block, const PackTableEntry& entry)
{
    return block.headCheck == entry.headCheck && block.tailCheck == entry.tailCheck;
}

} // namespace

int PackCount()
{
    return std::clamp<int>(PuzzlePack.block.count, 0, kPuzzlesPerPack);
}

int OrientationOf(const PuzzleRecord& record, int tile)
{
    return ((record.orientation[tile] % 8) + 8) % 8;
}

const PackTableEntry& CurrentPackEntry()
{
    return PackTable[CurrentPackIndex()];
}

bool CurrentPuzzleExists()
{
    return GameSettings.currentPuzzle >= 0 && GameSettings.currentPuzzle < PackCount();
}

ProgressRecord* CurrentPuzzleProgress()
{
    int puzzle = GameSettings.currentPuzzle;
    if (puzzle < 0 || puzzle >= kProgressRecordCount)
        return nullptr;
    return &PuzzlePack.progress[puzzle];
}

void ResetCustomPackMenu()
{
    plat::Menu* custom = plat::SubMenu(plat::MenuBarSubMenu(MenuBar, kCommandGameMenu), 0);
    if (!custom)
        return;
    plat::RemoveMenuItem(custom, kCommandEditToolbar);
    plat::InsertMenuItem(custom, 3, plat::Entry("Enable Toolbar", kCommandEditToolbar));
    bool customPack = GameSettings.currentPack == CustomPackIndex;
    for (int command : {kCommandEditToolbar, kCommandLoadCustom, kCommandSaveCustomAs})
        plat::EnableMenuItem(custom, command, customPack);
}

void LoadPack()
{
    ResetCustomPackMenu();
    // From here to LoadProgress the records in memory are not this pack's: a close meanwhile
    // (during one of the boxes below) must not write them under its name.
    ForgetLoadedProgress();
    PackBlock& block = PuzzlePack.block;
    // A short file fills only the leading bytes; the rest is zero, not the previous pack.
    std::memset(&block, 0, sizeof block);
    const bool builtIn = CurrentPackIndex() != CustomPackIndex;
    switch (ReadRecordFile(CurrentPackEntry().packFile, &block, sizeof block)) {
    case RecordRead::Missing:
    case RecordRead::Unopenable:
        ShowFileError("File Not Found!");
        break;
    case RecordRead::Failed:
        ShowFileError("FileReadError");
        std::memset(&block, 0, sizeof block);
        if (builtIn) {
            ShowFileError("Invalid File Format"); // a zero block never carries the check bytes
        }
        break;
    case RecordRead::Read:
        if (builtIn && !ChecksMatch(block, CurrentPackEntry())) {
            ShowFileError("Invalid File Format");
            std::memset(&block, 0, sizeof block);
        }
        break;
    }
    LoadProgress();
}

void SavePack()
{
    PackBlock& block = PuzzlePack.block;
    if (CurrentPackIndex() == CustomPackIndex) {
        block.headCheck = DrawCheckByte();
        block.tailCheck = DrawCheckByte();
    } else {
        block.headCheck = CurrentPackEntry().headCheck;
        block.tailCheck = CurrentPackEntry().tailCheck;
    }
    WriteRecordFile(CurrentPackEntry().packFile, &block, sizeof block);
}

void ClearPuzzleRecord(int index)
{
    if (index >= 0 && index < kPuzzlesPerPack) {
        PuzzlePack.block.puzzles[index] = PuzzleRecord{};
    }
}

void RecordPuzzle(int index, const BoardTile (&tiles)[7], bool parallelogramMirrored)
{
    if (index < 0 || index >= kPuzzlesPerPack) {
        return;
    }
    PuzzlePack.progress[index].solved = 1;
    int left = INT_MAX;
    int top = INT_MAX;
    for (const BoardTile& tile : tiles) {
        left = std::min(left, tile.x);
        top = std::min(top, tile.y);
    }
    PuzzleRecord& record = PuzzlePack.block.puzzles[index];
    for (int i = 0; i < 7; ++i) {
        record.orientation[i] = static_cast<std::int8_t>(((tiles[i].orientation % 8) + 8) % 8);
        // Offsets from the minimum are never negative; the cap only guards the byte.
        record.x[i] = static_cast<std::int8_t>(std::min((tiles[i].x - left) / kGridUnit, 127));
        record.y[i] = static_cast<std::int8_t>(std::min((tiles[i].y - top) / kGridUnit, 127));
    }
    record.mirrored = parallelogramMirrored ? 1 : 0;
    if (index >= PackCount()) {
        PuzzlePack.block.count = static_cast<std::int8_t>(index + 1);
    }
}
