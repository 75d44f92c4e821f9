// The current pack in memory (PuzzlePack), the pack file format and the pack table.
// A pack file is exactly the 2203-byte pack block: count, check byte, 100 records, check byte.
#pragma once

#include <cstddef>
#include <cstdint>

#include "data/progress.h"

// One puzzle's solution, 22 bytes: tile i's image top-left corner in grid units, its orientation,
// and whether tile 4 (the parallelogram) lies mirrored. Normalised: smallest x and y are 0.
struct PuzzleRecord {
    std::int8_t x[7];
    std::int8_t y[7];
    std::int8_t orientation[7]; // read through OrientationOf: damaged files may hold any value
    std::uint8_t mirrored;
};
static_assert(sizeof(PuzzleRecord) == 22);
static_assert(offsetof(PuzzleRecord, y) == 7);
static_assert(offsetof(PuzzleRecord, orientation) == 14);
static_assert(offsetof(PuzzleRecord, mirrored) == 21);

constexpr int kPuzzlesPerPack = 100;

// The pack block: the in-memory image of a pack and the exact content of a pack file.
struct PackBlock {
    std::int8_t count; // read through PackCount: the custom pack has no check bytes
    std::int8_t headCheck;
    PuzzleRecord puzzles[kPuzzlesPerPack];
    std::int8_t tailCheck;
};
static_assert(sizeof(PackBlock) == 2203);
static_assert(offsetof(PackBlock, puzzles) == 2);
static_assert(offsetof(PackBlock, tailCheck) == 2202);

// The current pack: the block followed by the pack's 100 progress records. One pack at a time,
// for the whole run; all zeros before the first LoadPack.
struct PuzzlePackStore {
    PackBlock block;
    ProgressRecord progress[kProgressRecordCount];
};
extern PuzzlePackStore PuzzlePack;

struct PackTableEntry {
    const char* displayName;
    const char* packFile;
    const char* progressFile;
    std::int8_t headCheck; // packs 0..3; the custom pack draws its own at each save
    std::int8_t tailCheck;
};
constexpr int kPackCount = 5;
constexpr int CustomPackIndex = 4;
extern const PackTableEntry PackTable[kPackCount];

// count brought into 0..100, so no code reads past the 100 records.
int PackCount();
// orientation[i] taken modulo 8 into 0..7, so no array is indexed out of bounds.
int OrientationOf(const PuzzleRecord& record, int tile);
// The pack table entry of GameSettings.currentPack (0 when that is out of range).
const PackTableEntry& CurrentPackEntry();
// True when GameSettings.currentPuzzle names a puzzle of the pack (0 <= index < count); an
// empty or rejected pack has none (index -1).
bool CurrentPuzzleExists();
// The progress record of GameSettings.currentPuzzle; null when that index names no record.
ProgressRecord* CurrentPuzzleProgress();

// Resets the custom-pack entries of the "Custom" pop-up of the menu bar: entry 40085 back at
// position 3 as "Enable Toolbar", and 40085, 40082, 40083 greyed unless the custom pack is
// current. Does nothing while there is no menu bar.
void ResetCustomPackMenu();
// Resets the custom-pack menu entries, loads the pack of GameSettings.currentPack, then its
// progress. Reports "File Not Found!", "FileReadError", "Invalid File Format"; always leaves a
// valid pack or all zeros. Bytes a short file does not hold are zero.
void LoadPack();
// Writes the pack block to the file of GameSettings.currentPack, stamping its check bytes: the
// table's for packs 0..3, two fresh 100 + (Random() mod 150) for the custom pack.
void SavePack();
// Sets puzzle record index to 22 zero bytes (the editor's empty slot); ignores an index
// outside 0..99.
void ClearPuzzleRecord(int index);

// A play tile as the custom-pack store action reads it: pixel position and orientation.
struct BoardTile {
    int x;
    int y;
    int orientation;
};
// Records the board as puzzle `index` (the store action): marks it solved, stores the tiles
// relative to the leftmost and topmost edges in 7-pixel units, the mirror flag, and raises count.
void RecordPuzzle(int index, const BoardTile (&tiles)[7], bool parallelogramMirrored);
