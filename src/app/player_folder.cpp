// The player's folder: chosen at start, made for the user alone, filled from the shipped files
// once each (a file the player has is never replaced; one deleted comes back at the next start).
#include "app/player_folder.h"

#include <cstdio>

#include "app/shell_state.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/message_box.h"

namespace {

// The shipped files' folder while the player's folder is in use; empty otherwise.
std::string ShippedFolder;

// Folders of shipped files, relative to the shipped folder and to the player's.
constexpr const char* kShippedFolders[] = {"", "Bitmaps\\", "Textures\\"};

// An installed copy's shipped files: PREFIX/share/zentiles beside PREFIX/bin.
std::string InstalledShippedFolder(const std::string& programFolder)
{
    std::string shared = programFolder + "../share/" + kPlayerFolderName + "/";
    return plat::FolderExists(shared) ? shared : std::string();
}

} // namespace

std::string ChooseProgramDirectory()
{
    std::string programFolder = plat::ExecutableFolder();
    std::string shipped = InstalledShippedFolder(programFolder);
    if (shipped.empty() && plat::FolderWritable(programFolder))
        return programFolder;
    if (shipped.empty())
        shipped = programFolder;
    std::string player = plat::PlayerDataFolder(kPlayerFolderName);
    if (player.empty() || !plat::CreateFolders(player)) {
        std::fprintf(stderr, "Zentiles: the player's folder %s cannot be made; playing from %s\n",
                     player.empty() ? "(no HOME)" : player.c_str(), shipped.c_str());
        return shipped;
    }
    ShippedFolder = shipped;
    return player;
}

int CopyShippedFiles(const std::string& shippedFolder, const std::string& playerFolder)
{
    int copied = 0;
    for (const char* folder : kShippedFolders) {
        std::string from = shippedFolder + folder, to = playerFolder + folder;
        std::vector<std::string> names = plat::ListFiles(from, "*");
        if (!names.empty() && !plat::CreateFolders(to)) {
            plat::ShowMessageBox(nullptr, "The folder " + plat::HostPath(to) + " cannot be made.",
                                 "ERROR", plat::MessageIcon::Error, plat::MessageButtons::Ok);
            continue;
        }
        for (const std::string& name : names) {
            if (plat::PathExists(to + name))
                continue;
            if (plat::CopyFileReplacing(from + name, to + name))
                ++copied;
            else
                plat::ShowMessageBox(nullptr,
                                     "The shipped file " + plat::HostPath(folder + name) +
                                         " could not be copied into " + plat::HostPath(to) + ".",
                                     "ERROR", plat::MessageIcon::Error, plat::MessageButtons::Ok);
        }
    }
    return copied;
}

void FillPlayerFolder()
{
    if (!ShippedFolder.empty())
        CopyShippedFiles(ShippedFolder, ProgramDirectory);
}
