// Folder listings and the home folder over POSIX.
#include "platform/folders.h"

#include <algorithm>
#include <cstdlib>

#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files.h"

namespace plat {
namespace {

std::string WithSlash(std::string folder)
{
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

// Bytes as unsigned, so names in other scripts sort after the plain letters.
unsigned char Lower(char c)
{
    auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

bool NameBefore(const FolderEntry& a, const FolderEntry& b)
{
    if (a.folder != b.folder)
        return a.folder;
    auto less = [](char x, char y) { return Lower(x) < Lower(y); };
    if (std::lexicographical_compare(a.name.begin(), a.name.end(), b.name.begin(), b.name.end(), less))
        return true;
    if (std::lexicographical_compare(b.name.begin(), b.name.end(), a.name.begin(), a.name.end(), less))
        return false;
    return a.name < b.name;
}

// Whether an entry is a folder, a matching regular file, or neither (links are followed).
bool Classify(const std::string& folder, const dirent& entry, bool& isFolder)
{
    unsigned char type = entry.d_type;
    if (type == DT_UNKNOWN || type == DT_LNK) {
        struct stat info;
        if (::stat((folder + entry.d_name).c_str(), &info) != 0)
            return false;
        type = S_ISDIR(info.st_mode) ? DT_DIR : S_ISREG(info.st_mode) ? DT_REG : DT_UNKNOWN;
    }
    isFolder = type == DT_DIR;
    return type == DT_DIR || type == DT_REG;
}

} // namespace

std::string HomeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return WithSlash(home);
    if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir && *user->pw_dir)
        return WithSlash(user->pw_dir);
    return "/";
}

std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder, std::string_view pattern)
{
    std::string path = WithSlash(HostPath(folder));
    DIR* dir = ::opendir(path.c_str());
    if (!dir)
        return std::nullopt;
    std::vector<FolderEntry> entries;
    while (const dirent* entry = ::readdir(dir)) {
        bool isFolder = false;
        if (entry->d_name[0] == '.' || !Classify(path, *entry, isFolder))
            continue;
        if (isFolder || MatchesFilePattern(entry->d_name, pattern))
            entries.push_back({entry->d_name, isFolder});
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(), NameBefore);
    return entries;
}

bool FolderExists(const std::string& path)
{
    struct stat info;
    return ::stat(HostPath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string ParentFolder(const std::string& folder)
{
    std::string path = WithSlash(folder);
    if (path == "/")
        return path;
    path.pop_back();
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string("/") : path.substr(0, slash + 1);
}

bool SameFile(const std::string& a, const std::string& b)
{
    struct stat first, second;
    return ::stat(HostPath(a).c_str(), &first) == 0 && ::stat(HostPath(b).c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

std::string PlayerDataFolder(std::string_view name)
{
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    std::string base;
    if (dataHome && dataHome[0] == '/')
        base = WithSlash(dataHome);
    else if (std::string home = HomeFolder(); home != "/")
        base = home + ".local/share/";
    else
        return {};
    return base + std::string(name) + "/";
}

bool FolderWritable(const std::string& folder)
{
    return FolderExists(folder) && ::access(HostPath(folder).c_str(), W_OK | X_OK) == 0;
}

bool CreateFolders(const std::string& folder)
{
    std::string path = HostPath(folder);
    for (std::size_t at = 1; at <= path.size(); ++at)
        if (at == path.size() || path[at] == '/')
            ::mkdir(path.substr(0, at).c_str(), S_IRWXU); // one that exists already is fine
    return FolderExists(folder);
}

} // namespace plat
