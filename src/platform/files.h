// Files of the handheld's file service: exclusive opens, safe replacing writes, copies, folder
// listings and the program's own folder. Names use the system's backslashes; every operation here
// passes its paths through HostPath, so callers may hand over system paths as they are.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

// Maps a system path ("Bitmaps\\x.bmp") to the host's separator. The one place that does it.
std::string HostPath(std::string_view systemPath);

// The folder that holds the running executable, ending in a separator.
std::string ExecutableFolder();

// An open file. Closing without Commit abandons a replacing write and keeps the old file.
class File {
public:
    File() = default;
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File();

    explicit operator bool() const { return fd_ >= 0; }

    // Reads up to count bytes; answers false on an error. *got receives the bytes read.
    bool read(void* buffer, std::size_t count, std::size_t* got);
    // Reads exactly count bytes; false on an error or a short read (what was read stays).
    bool readAll(void* buffer, std::size_t count);
    // Writes all count bytes; false on any failure.
    bool write(const void* buffer, std::size_t count);
    // Moves to a byte offset from the start; false on failure.
    bool seek(std::size_t offset);
    // Replacing files: flushes to disk and puts the new file in place of the old one; refuses
    // after any failed write. Plain files: closes. False on failure (a replacing file then
    // leaves the old file intact).
    bool commit();
    void close();

private:
    friend File OpenExistingFile(const std::string&);
    friend File OpenFileForReading(const std::string&);
    friend File CreateReplacingFile(const std::string&);
    int fd_ = -1;
    int targetLock_ = -1;   // replacing: holds the old file exclusively until commit or close
    bool writeFailed_ = false; // a failed write makes commit refuse to replace the old file
    std::string target_;    // replacing: the file to replace at commit
    std::string temporary_; // replacing: the file being written
};

// Every open refuses anything but a regular file (folders, FIFOs, devices) without waiting on it.
// Opens an existing file for reading and writing, not shared: fails if the file is missing,
// read-only, or already open through another OpenExistingFile or CreateReplacingFile.
File OpenExistingFile(const std::string& path);
// Opens an existing file for reading, sharing reads with others.
File OpenFileForReading(const std::string& path);
// Creates or replaces a file. The bytes go to a temporary file in the same folder; commit()
// puts it in place only after every byte was written and flushed. A symbolic link is written
// through: its final target is replaced, the link stays. Fails if the folder is not writable,
// the existing file is read-only or is held open by an exclusive open.
File CreateReplacingFile(const std::string& path);

// Copies a file over another through a replacing write: the target is whole or untouched.
bool CopyFileReplacing(const std::string& from, const std::string& to);
// True when a regular file exists at path.
bool FileExists(const std::string& path);
// True when anything (file, folder, FIFO, device) exists at path, links followed.
bool PathExists(const std::string& path);
// Removes the temporary files that replacing writes of processes no longer running left in
// folder (a save killed before its commit). Answers how many were removed.
int RemoveStaleTemporaries(const std::string& folder);
// Removes a file; fails when it is missing, read-only or held by an exclusive open.
bool DeleteFileAt(const std::string& path);
// Names (with extension) of the files in folder matching a pattern like "*.bmp", in the order
// the folder gives them. Empty when the folder is missing.
std::vector<std::string> ListFiles(const std::string& folder, std::string_view pattern);
// Whether a file name matches a pattern of '*' and '?', ignoring ASCII case, as ListFiles does.
bool MatchesFilePattern(std::string_view name, std::string_view pattern);

// Test hooks: make creates fail, make writes fail after so many bytes in all (counted from
// this call), make commits fail, or make reads fail after so many bytes in all. They stay in
// force until the next call; FileFaults{} clears.
struct FileFaults {
    bool failCreate = false;
    long failWriteAfterBytes = -1; // -1: never
    bool failCommit = false;
    long failReadAfterBytes = -1; // -1: never
};
void SetFileFaults(const FileFaults& faults);

} // namespace plat
