// Where the game keeps its files. A copy run from its build folder keeps them beside the program,
// as the handheld did. An installed copy (its shipped files in PREFIX/share/zentiles beside its
// PREFIX/bin) or one whose own folder cannot be written keeps them in the player's folder,
// $XDG_DATA_HOME/zentiles (~/.local/share/zentiles), filled from the shipped files.
#pragma once

#include <string>

constexpr const char* kPlayerFolderName = "zentiles";
// The desktop window's placement file, beside the settings.
constexpr const char* kWindowPlacementFile = "window.ini";

// The folder every data file is to be named relative to (ProgramDirectory): the program's own, or
// the player's folder, made if missing (for the user alone).
std::string ChooseProgramDirectory();
// After ChooseProgramDirectory picked the player's folder: copies in what it lacks of the shipped
// files. Else nothing.
void FillPlayerFolder();
// Copies each shipped file (the files in the shipped folder and in its Bitmaps and Textures
// folders) that the player's folder lacks into it, never over a file there. A copy that fails is
// reported in a message box naming the file, and the rest go on. Answers the files copied.
int CopyShippedFiles(const std::string& shippedFolder, const std::string& playerFolder);
