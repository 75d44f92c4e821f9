// The progress file of the current pack: loading and saving the 100 ProgressRecords.
#include "data/progress.h"

#include <cstring>

#include "data/puzzle_pack.h"
#include "data/record_files.h"

void LoadProgress()
{
    // Start clean so a short or missing file never inherits the previous pack's records.
    std::memset(PuzzlePack.progress, 0, sizeof PuzzlePack.progress);
    const RecordRead outcome = ReadRecordFile(CurrentPackEntry().progressFile,
                                              PuzzlePack.progress, sizeof PuzzlePack.progress);
    if (outcome == RecordRead::Failed) {
        ShowFileError("FileReadError");
    }
}

void SaveProgress()
{
    WriteRecordFile(CurrentPackEntry().progressFile, PuzzlePack.progress,
                    sizeof PuzzlePack.progress);
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
