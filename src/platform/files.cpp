// File service over POSIX: flock-based exclusive opens, replacing writes through a temporary file.
#include "platform/files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plat {

namespace {

// Faults in force and the bytes written since they were set (test hooks only).
FileFaults InjectedFaults;
long BytesSinceFaults = 0;
long BytesReadSinceFaults = 0;
unsigned TemporaryCounter = 0;

constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;

// The handheld's read-only attribute is the absence of the owner's write bit; judged by the
// mode because access() says yes to root whatever the bits are.
bool IsReadOnly(const struct stat& info) { return (info.st_mode & S_IWUSR) == 0; }

bool StatRegular(const std::string& hostPath, struct stat* info)
{
    return ::stat(hostPath.c_str(), info) == 0 && S_ISREG(info->st_mode);
}

std::string FolderOf(const std::string& hostPath)
{
    std::size_t slash = hostPath.rfind('/');
    return slash == std::string::npos ? std::string() : hostPath.substr(0, slash + 1);
}

int OpenRetrying(const std::string& hostPath, int flags, mode_t mode = 0)
{
    int fd;
    do {
        fd = ::open(hostPath.c_str(), flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// Opens a regular file and takes a non-blocking lock on it; -1 when either fails. The open itself
// never waits: a FIFO or device named where a file should be would otherwise block for ever.
int OpenLocked(const std::string& hostPath, int flags, int lockKind)
{
    int fd = OpenRetrying(hostPath, flags | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return -1;
    struct stat info;
    int status = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || ::flock(fd, lockKind | LOCK_NB) != 0 ||
        status < 0 || ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// The file a path finally names when its last part is a symbolic link (relative links are taken
// from the link's folder); the path itself otherwise. Gives up after 40 links, like the system.
std::string FollowLinks(std::string hostPath)
{
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info;
        if (::lstat(hostPath.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return hostPath;
        std::error_code error;
        std::filesystem::path target = std::filesystem::read_symlink(hostPath, error);
        if (error)
            return hostPath;
        hostPath = target.is_absolute() ? target.string() : FolderOf(hostPath) + target.string();
    }
    return hostPath;
}

// Creates a fresh temporary file beside the target; its name never matches the target's pattern.
int CreateTemporaryBeside(const std::string& hostTarget, std::string* temporary)
{
    std::string folder = FolderOf(hostTarget);
    // Cut so that the suffix still fits a file name's 255 bytes (the name is only a hint).
    std::string stem = folder + "." + hostTarget.substr(folder.size(), 200);
    for (int attempt = 0; attempt < 100; ++attempt) {
        *temporary = stem + ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(++TemporaryCounter);
        int fd = OpenRetrying(*temporary, O_RDWR | O_CREAT | O_EXCL, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Makes the rename durable; a folder that cannot be synced does not undo the replace.
void SyncFolder(const std::string& hostPath)
{
    std::string folder = FolderOf(hostPath);
    int fd = OpenRetrying(folder.empty() ? "." : folder, O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Wildcard match with '*' and '?', ignoring ASCII case, as the handheld's file search does.
bool MatchesPattern(std::string_view name, std::string_view pattern)
{
    std::size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || FoldCase(pattern[p]) == FoldCase(name[n]))) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

} // namespace

std::string HostPath(std::string_view systemPath)
{
    std::string path(systemPath);
    for (char& c : path)
        if (c == '\\')
            c = '/';
    return path;
}

std::string ExecutableFolder()
{
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || exe.parent_path().empty())
        return "./";
    std::string text = exe.parent_path().string();
    if (text.back() != '/')
        text += '/';
    return text;
}

File::File(File&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), targetLock_(std::exchange(other.targetLock_, -1)),
      writeFailed_(std::exchange(other.writeFailed_, false)),
      target_(std::move(other.target_)), temporary_(std::move(other.temporary_))
{
    other.target_.clear();
    other.temporary_.clear();
}

File& File::operator=(File&& other) noexcept
{
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
        targetLock_ = std::exchange(other.targetLock_, -1);
        writeFailed_ = std::exchange(other.writeFailed_, false);
        target_ = std::move(other.target_);
        temporary_ = std::move(other.temporary_);
        other.target_.clear();
        other.temporary_.clear();
    }
    return *this;
}

File::~File() { close(); }

bool File::read(void* buffer, std::size_t count, std::size_t* got)
{
    *got = 0;
    if (fd_ < 0)
        return false;
    std::size_t allowed = count;
    if (InjectedFaults.failReadAfterBytes >= 0)
        allowed = std::min(count, static_cast<std::size_t>(
                                      std::max(0L, InjectedFaults.failReadAfterBytes - BytesReadSinceFaults)));
    auto* bytes = static_cast<unsigned char*>(buffer);
    bool endOfFile = false;
    while (*got < allowed) {
        ssize_t n = ::read(fd_, bytes + *got, allowed - *got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0) {
            endOfFile = true;
            break;
        }
        *got += static_cast<std::size_t>(n);
    }
    BytesReadSinceFaults += static_cast<long>(*got);
    return endOfFile || allowed == count; // a fault strikes only where bytes were still wanted
}

bool File::readAll(void* buffer, std::size_t count)
{
    std::size_t got = 0;
    return read(buffer, count, &got) && got == count;
}

bool File::write(const void* buffer, std::size_t count)
{
    if (fd_ < 0)
        return false;
    std::size_t allowed = count;
    if (InjectedFaults.failWriteAfterBytes >= 0) {
        long left = InjectedFaults.failWriteAfterBytes - BytesSinceFaults;
        allowed = left <= 0 ? 0 : std::min(count, static_cast<std::size_t>(left));
    }
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    std::size_t done = 0;
    while (done < allowed) {
        ssize_t n = ::write(fd_, bytes + done, allowed - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    BytesSinceFaults += static_cast<long>(done);
    writeFailed_ = writeFailed_ || done != count;
    return done == count;
}

bool File::seek(std::size_t offset)
{
    return fd_ >= 0 && ::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) == static_cast<off_t>(offset);
}

bool File::commit()
{
    if (fd_ < 0)
        return false;
    if (temporary_.empty()) {
        int result = ::close(std::exchange(fd_, -1));
        return result == 0 && !InjectedFaults.failCommit;
    }
    bool ok = !InjectedFaults.failCommit && !writeFailed_ && ::fsync(fd_) == 0;
    ok = ::close(std::exchange(fd_, -1)) == 0 && ok;
    ok = ok && ::rename(temporary_.c_str(), target_.c_str()) == 0;
    if (ok) {
        SyncFolder(target_);
        temporary_.clear();
    }
    close();
    return ok;
}

void File::close()
{
    if (fd_ >= 0)
        ::close(std::exchange(fd_, -1));
    if (!temporary_.empty())
        ::unlink(temporary_.c_str());
    if (targetLock_ >= 0)
        ::close(std::exchange(targetLock_, -1));
    temporary_.clear();
    target_.clear();
    writeFailed_ = false;
}

File OpenExistingFile(const std::string& path)
{
    File file;
    std::string hostPath = HostPath(path);
    struct stat info;
    if (!StatRegular(hostPath, &info) || IsReadOnly(info))
        return file;
    file.fd_ = OpenLocked(hostPath, O_RDWR, LOCK_EX);
    return file;
}

File OpenFileForReading(const std::string& path)
{
    File file;
    file.fd_ = OpenLocked(HostPath(path), O_RDONLY, LOCK_SH);
    return file;
}

File CreateReplacingFile(const std::string& path)
{
    File file;
    if (InjectedFaults.failCreate)
        return file;
    std::string hostPath = FollowLinks(HostPath(path));
    struct stat info;
    bool exists = ::stat(hostPath.c_str(), &info) == 0;
    if (exists && (!S_ISREG(info.st_mode) || IsReadOnly(info)))
        return file;
    if (exists) {
        // Holding the old file keeps exclusive opens out while the new bytes are written.
        file.targetLock_ = OpenLocked(hostPath, O_RDONLY, LOCK_EX);
        if (file.targetLock_ < 0)
            return file;
    }
    file.fd_ = CreateTemporaryBeside(hostPath, &file.temporary_);
    if (file.fd_ < 0) {
        file.temporary_.clear();
        file.close();
        return file;
    }
    if (exists)
        ::fchmod(file.fd_, info.st_mode & 07777);
    file.target_ = hostPath;
    return file;
}

bool CopyFileReplacing(const std::string& from, const std::string& to)
{
    File source = OpenFileForReading(from);
    if (!source)
        return false;
    File target = CreateReplacingFile(to);
    if (!target)
        return false;
    std::vector<unsigned char> buffer(65536);
    for (;;) {
        std::size_t got = 0;
        if (!source.read(buffer.data(), buffer.size(), &got))
            return false;
        if (got == 0)
            break;
        if (!target.write(buffer.data(), got))
            return false;
    }
    return target.commit();
}

bool FileExists(const std::string& path)
{
    struct stat info;
    return StatRegular(HostPath(path), &info);
}

bool PathExists(const std::string& path)
{
    struct stat info;
    return ::stat(HostPath(path).c_str(), &info) == 0;
}

int RemoveStaleTemporaries(const std::string& folder)
{
    std::string hostFolder = HostPath(folder);
    if (hostFolder.empty() || hostFolder.back() != '/')
        hostFolder += '/';
    int removed = 0;
    for (const std::string& name : ListFiles(folder, ".*.tmp*_*")) {
        // ".NAME.tmpPID_N": only a writer that no longer runs leaves one behind for good.
        std::size_t tmp = name.rfind(".tmp"), underscore = name.rfind('_');
        if (tmp == 0 || tmp == std::string::npos || underscore < tmp + 5)
            continue;
        std::string pid = name.substr(tmp + 4, underscore - tmp - 4);
        std::string counter = name.substr(underscore + 1);
        auto digits = [](const std::string& t) {
            return !t.empty() && t.size() < 10 && t.find_first_not_of("0123456789") == std::string::npos;
        };
        if (!digits(pid) || !digits(counter))
            continue;
        if (::kill(static_cast<pid_t>(std::stol(pid)), 0) == 0 || errno != ESRCH)
            continue;
        removed += ::unlink((hostFolder + name).c_str()) == 0 ? 1 : 0;
    }
    return removed;
}

bool DeleteFileAt(const std::string& path)
{
    std::string hostPath = HostPath(path);
    struct stat info;
    if (!StatRegular(hostPath, &info) || IsReadOnly(info))
        return false;
    // Taking the lock first refuses files that another open holds.
    int fd = OpenLocked(hostPath, O_RDONLY, LOCK_EX);
    if (fd < 0)
        return false;
    bool ok = ::unlink(hostPath.c_str()) == 0;
    ::close(fd);
    return ok;
}

std::vector<std::string> ListFiles(const std::string& folder, std::string_view pattern)
{
    std::vector<std::string> names;
    std::string hostFolder = HostPath(folder);
    DIR* dir = ::opendir(hostFolder.empty() ? "." : hostFolder.c_str());
    if (!dir)
        return names;
    if (hostFolder.empty() || hostFolder.back() != '/')
        hostFolder += '/';
    while (const dirent* entry = ::readdir(dir)) {
        std::string_view name = entry->d_name;
        struct stat info;
        if (MatchesPattern(name, pattern) && StatRegular(hostFolder + entry->d_name, &info))
            names.emplace_back(name);
    }
    ::closedir(dir);
    return names;
}

bool MatchesFilePattern(std::string_view name, std::string_view pattern)
{
    return MatchesPattern(name, pattern);
}

void SetFileFaults(const FileFaults& faults)
{
    InjectedFaults = faults;
    BytesSinceFaults = 0;
    BytesReadSinceFaults = 0;
}

} // namespace plat
