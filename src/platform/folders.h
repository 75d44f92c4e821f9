// Folders of the desktop for the file dialogs: the user's home, listing a folder's sub-folders
// and matching files, and telling whether two names are one file; and the player's data folder.
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

// The folder for a player's own files of the program called name, ending in '/':
// $XDG_DATA_HOME/name when that is an absolute path (the desktop's rule), else
// HOME/.local/share/name; empty when there is no home folder.
std::string PlayerDataFolder(std::string_view name);
// True when this process may create files in the folder.
bool FolderWritable(const std::string& folder);
// Creates the folder and its missing parents, each for the user alone (mode 0700, as the
// desktop's data folders are made); true when the folder exists afterwards.
bool CreateFolders(const std::string& folder);

} // namespace plat
