// The progress file of the current pack: loading and saving the 100 ProgressRecords.
#include "data/progress.h"

#include <algorithm>
#include <cstring>

#include "data/puzzle_pack.h"
#include "data/record_files.h"

namespace {

// False from ForgetLoadedProgress until LoadProgress: the records are then another pack's.
bool ProgressLoaded = true;

} // namespace

void LoadProgress()
{
    // Start clean so a short or missing file never inherits the previous pack's records.
    std::memset(PuzzlePack.progress, 0, sizeof PuzzlePack.progress);
    const RecordRead outcome = ReadRecordFile(CurrentPackEntry().progressFile,
                                              PuzzlePack.progress, sizeof PuzzlePack.progress);
    ProgressLoaded = true;
    for (ProgressRecord& record : PuzzlePack.progress) {
        record.seconds = std::clamp(record.seconds, 0, kMaxPuzzleSeconds);
        record.hints = std::clamp(record.hints, std::int8_t{0}, kMaxPuzzleHints);
    }
    if (outcome == RecordRead::Failed) {
        ShowFileError("FileReadError");
    }
}

void SaveProgress()
{
    if (!ProgressLoaded) {
        return;
    }
    WriteRecordFile(CurrentPackEntry().progressFile, PuzzlePack.progress,
                    sizeof PuzzlePack.progress);
}

void ForgetLoadedProgress()
{
    ProgressLoaded = false;
}

void ResetProgressRecord(int index)
{
    if (index < 0 || index >= kProgressRecordCount) {
        return;
    }
    ProgressRecord& record = PuzzlePack.progress[index];
    record.solved = 0;
    record.seconds = 0;
    record.hints = 0;
}
