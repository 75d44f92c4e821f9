// Whole-record file access shared by the pack, progress and settings files.
#include "data/record_files.h"

#include <bit>

#include "app/shell_state.h"
#include "platform/files.h"
#include "platform/message_box.h"

// The records are stored as they lie in memory; the files are little-endian.
static_assert(std::endian::native == std::endian::little);

void ShowFileError(const char* text)
{
    MessageBoxActive = true;
    plat::ShowMessageBox(nullptr, text, "ERROR", plat::MessageIcon::Error,
                         plat::MessageButtons::Ok);
    MessageBoxActive = false;
}

RecordRead ReadRecordFile(const std::string& name, void* data, std::size_t size)
{
    plat::File file = plat::OpenExistingFile(ProgramDirectory + name);
    if (!file) {
        return RecordRead::Missing;
    }
    auto* bytes = static_cast<unsigned char*>(data);
    std::size_t total = 0;
    while (total < size) {
        std::size_t got = 0;
        if (!file.read(bytes + total, size - total, &got)) {
            return RecordRead::Failed;
        }
        if (got == 0) {
            break; // end of a short file
        }
        total += got;
    }
    return RecordRead::Read;
}

void WriteRecordFile(const std::string& name, const void* data, std::size_t size)
{
    plat::File file = plat::CreateReplacingFile(ProgramDirectory + name);
    if (!file) {
        ShowFileError("FileCreateError");
        return;
    }
    // Without a commit the replacing file is dropped and the old file kept.
    if (!file.write(data, size) || !file.commit()) {
        ShowFileError("FileWriteError");
    }
}
