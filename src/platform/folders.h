// Folders of the desktop for the file dialogs: the user's home, listing a folder's sub-folders
// and matching files, and telling whether two names are one file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

struct FolderEntry {
    std::string name;
    bool folder = false;
};

// The user's home folder ($HOME, else the password entry's), ending in '/'; "/" when neither.
std::string HomeFolder();
// The sub-folders, then the files matching the pattern ("*.zdb"), each group sorted by name
// ignoring case; names starting with '.' are left out. Nullopt when the folder cannot be read.
std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder, std::string_view pattern);
// True when a folder exists at path.
bool FolderExists(const std::string& path);
// The folder above a folder ("/a/b/" gives "/a/"); "/" stays "/".
std::string ParentFolder(const std::string& folder);
// True when both names reach the same existing file.
bool SameFile(const std::string& a, const std::string& b);

} // namespace plat
