// The progress file: per puzzle slot whether it is solved, the seconds spent and the hints asked
// for. 100 records of 12 bytes, 1200 bytes in all, no header.
#pragma once

#include <cstddef>
#include <cstdint>

struct ProgressRecord {
    std::uint8_t solved;      // 1 once solved
    std::uint8_t padding1[3]; // kept from the file; zero in records the game makes
    std::int32_t seconds;     // 0..359999
    std::int8_t hints;        // hints asked for
    std::uint8_t padding2[3];
};
static_assert(sizeof(ProgressRecord) == 12);
static_assert(offsetof(ProgressRecord, seconds) == 4);
static_assert(offsetof(ProgressRecord, hints) == 8);

constexpr int kProgressRecordCount = 100;
constexpr std::int32_t kMaxPuzzleSeconds = 359999; // 99:59:59, the most the status line shows

constexpr std::int8_t kMaxPuzzleHints = 7; // one per tile

// Reads the progress file of GameSettings.currentPack into PuzzlePack.progress. A missing file
// gives all-zero records, silently; a failed read shows "FileReadError". Records the file does
// not hold (a short file) are zero, never left over from the pack loaded before. Damaged values
// are brought into range: seconds 0..kMaxPuzzleSeconds, hints 0..kMaxPuzzleHints.
void LoadProgress();
// Writes the 100 records to the progress file of GameSettings.currentPack ("FileCreateError",
// "FileWriteError" on failure; the old file then stays as it was). Writes nothing between
// ForgetLoadedProgress and the next LoadProgress: the records then belong to no pack.
void SaveProgress();
// Says the records in memory are not the current pack's (LoadPack calls it before switching).
void ForgetLoadedProgress();
// Sets solved, seconds and hints of record index to 0 (the padding stays); ignores an index
// outside 0..99. The caller saves (SaveProgress).
void ResetProgressRecord(int index);
