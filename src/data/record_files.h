// Whole-record files of the data store: one exclusive open and read, or one replacing write,
// with the file errors reported to the player as the game's "ERROR" boxes.
#pragma once

#include <cstddef>
#include <string>

// Shows a file error box (caption "ERROR", error icon, OK, no owner) with MessageBoxActive set,
// so that the box taking the focus does not pause the game.
void ShowFileError(const char* text);

enum class RecordRead { Missing, Unopenable, Failed, Read };

// Opens ProgramDirectory + name as an existing file, exclusively, and reads up to size bytes into
// data. A shorter file fills only the leading part. Missing: nothing exists under the name.
// Unopenable: something exists but could not be opened (read-only, another owner's, held open by
// another program, a folder). Failed: a read error; what was read before it stays in data.
// After Unopenable or Failed the file is kept from being replaced until a later read succeeds:
// it may hold what the player made, and the game never saw it.
RecordRead ReadRecordFile(const std::string& name, void* data, std::size_t size);

// Writes size bytes as ProgramDirectory + name, replacing the old file only once every byte is
// on disk. Reports "FileCreateError" (also for a file kept from replacing, which stays as it is)
// or "FileWriteError"; the old file stays intact on failure.
void WriteRecordFile(const std::string& name, const void* data, std::size_t size);
