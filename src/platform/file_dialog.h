// The open-file and save-file dialogs as the handheld offers them: full screen, a folder's
// sub-folders and matching files in a list, the name field, Open or Save and Cancel.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace plat {

struct Window;

struct FileDialogRequest {
    Window* owner = nullptr;
    std::string title;            // in the top bar: "Open File", "Save File As"
    std::string filterName;       // what the files are: "Zentiles Data Base (*.zdb)"
    std::string pattern;          // which files the list shows: "*.zdb"
    std::string defaultExtension; // save: added (after a '.') to a name typed without extension
    std::string folder;           // where browsing starts; empty: the user's home folder
    std::size_t pathBuffer = 260; // characters of the caller's path buffer, its end mark included
};

// Runs the dialog modally. A tap on a folder opens it, Up (or Back in the list) goes to the
// folder above, a tap on a file puts its name in the name field, a double tap on it or Return
// in the name field or Open / Save / Done takes the name; a name naming a folder opens that
// folder instead. A full path that would not fit the path buffer is refused with a message and
// the dialog stays. Answers the chosen full path, or nullopt when the player cancels.
std::optional<std::string> RunOpenFileDialog(const FileDialogRequest& request);
std::optional<std::string> RunSaveFileDialog(const FileDialogRequest& request);

// The controls of both dialogs, for scripts that read them.
constexpr int kFileDialogFolder = 1088; // static: the folder shown, ending in '/'
constexpr int kFileDialogType = 1089;   // static: the filter's description
constexpr int kFileDialogUp = 1090;     // button: the folder above
constexpr int kFileDialogList = 1120;   // list: sub-folders, then matching files
constexpr int kFileDialogName = 1152;   // edit: the file name

} // namespace plat
