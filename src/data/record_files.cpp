// Whole-record file access shared by the pack, progress and settings files.
#include "data/record_files.h"

#include <bit>
#include <set>

#include "app/shell_state.h"
#include "platform/files.h"
#include "platform/message_box.h"

// The records are stored as they lie in memory; the files are little-endian.
static_assert(std::endian::native == std::endian::little);

namespace {

// Full paths of files that exist but could not be read in this run: never replaced.
std::set<std::string> UnreadFiles;

RecordRead Remember(const std::string& path, RecordRead outcome)
{
    if (outcome == RecordRead::Unopenable || outcome == RecordRead::Failed)
        UnreadFiles.insert(path);
    else
        UnreadFiles.erase(path);
    return outcome;
}

} // namespace

void ShowFileError(const char* text)
{
    MessageBoxActive = true;
    plat::ShowMessageBox(nullptr, text, "ERROR", plat::MessageIcon::Error,
                         plat::MessageButtons::Ok);
    MessageBoxActive = false;
}

RecordRead ReadRecordFile(const std::string& name, void* data, std::size_t size)
{
    const std::string path = ProgramDirectory + name;
    plat::File file = plat::OpenExistingFile(path);
    if (!file) {
        return Remember(path, plat::PathExists(path) ? RecordRead::Unopenable : RecordRead::Missing);
    }
    auto* bytes = static_cast<unsigned char*>(data);
    std::size_t total = 0;
    while (total < size) {
        std::size_t got = 0;
        const bool ok = file.read(bytes + total, size - total, &got);
        total += got;
        if (!ok) {
            return Remember(path, RecordRead::Failed);
        }
        if (got == 0) {
            break; // end of a short file
        }
    }
    return Remember(path, RecordRead::Read);
}

void WriteRecordFile(const std::string& name, const void* data, std::size_t size)
{
    const std::string path = ProgramDirectory + name;
    plat::File file;
    if (!UnreadFiles.contains(path)) {
        file = plat::CreateReplacingFile(path);
    }
    if (!file) {
        ShowFileError("FileCreateError");
        return;
    }
    // Without a commit the replacing file is dropped and the old file kept.
    if (!file.write(data, size) || !file.commit()) {
        ShowFileError("FileWriteError");
    }
}
