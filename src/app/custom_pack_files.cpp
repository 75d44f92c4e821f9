// Custom pack import and export. Every copy reads the whole source, checks its size, and replaces
// the target through a temporary file renamed into place, so a failed copy leaves the target as
// it was.
#include "app/custom_pack_files.h"

#include <vector>

#include "app/layers.h"
#include "app/render.h"
#include "app/shell_state.h"
#include "data/progress.h"
#include "data/puzzle_pack.h"
#include "data/settings.h"
#include "game/board.h"
#include "game/hints.h"
#include "game/preview_panel.h"
#include "platform/file_dialog.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/window.h"

namespace {

constexpr std::size_t kPackFileSize = sizeof(PackBlock);
constexpr std::size_t kProgressFileSize = sizeof(ProgressRecord) * kProgressRecordCount;

plat::FileDialogRequest Request(plat::Window* window, const char* title)
{
    plat::FileDialogRequest request;
    request.owner = window;
    request.title = title;
    request.filterName = "Zentiles Data Base (*.zdb)";
    request.pattern = "*.zdb";
    return request;
}

// Copies a file of exactly `size` bytes; false when the source is no such file (missing, a
// folder, unreadable, another size) or the target cannot be replaced.
bool CopyRecordFile(const std::string& from, const std::string& to, std::size_t size)
{
    std::vector<unsigned char> bytes(size + 1);
    {
        plat::File source = plat::OpenFileForReading(from);
        std::size_t got = 0;
        if (!source || !source.read(bytes.data(), bytes.size(), &got) || got != size)
            return false;
    }
    plat::File target = plat::CreateReplacingFile(to);
    return target && target.write(bytes.data(), size) && target.commit();
}

// The copy errors are plain boxes without owner; the focus they take pauses the game.
void CopyError(const char* text)
{
    plat::ShowMessageBox(nullptr, text, "Error", plat::MessageIcon::None, plat::MessageButtons::Ok);
}

bool AskForSupplementalData(plat::Window* window)
{
    MessageBoxActive = true;
    plat::MessageResult answer = plat::ShowMessageBox(
        window, "Supplemental Data for this Custom Pack has been found.  Would you like to load it?", "Confirm",
        plat::MessageIcon::Question, plat::MessageButtons::YesNo);
    MessageBoxActive = false;
    return answer == plat::MessageResult::Yes;
}

std::string CustomFile(const char* name)
{
    return ProgramDirectory + name;
}

// The new pack on the board: puzzle 0, the panel, the overlay and the hints of it.
void ShowLoadedPack(plat::Window* window)
{
    LoadPack();
    GameSettings.currentPuzzle = 0;
    ShowPuzzleInPanel(0);
    Panel.DrawPanel(ScreenBuffer.dc);
    if (GameSettings.overlayShown)
        ComposeBoard(0, 0, kLayerWidth, kLayerHeight);
    ResetHintState();
    RenderScreen(0, 0, kLayerWidth, kLayerHeight);
    if (window) {
        plat::InvalidateRect(window);
        plat::UpdateWindow(window);
    }
}

} // namespace

std::string SupplementalName(const std::string& packPath)
{
    std::size_t slash = packPath.find_last_of("/\\");
    std::size_t dot = packPath.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return packPath + ".sdb";
    return packPath.substr(0, dot + 1) + "sdb";
}

void LoadCustomPack(plat::Window* window)
{
    std::optional<std::string> chosen = plat::RunOpenFileDialog(Request(window, "Open File"));
    if (!chosen)
        return;
    const PackTableEntry& custom = PackTable[CustomPackIndex];
    if (!CopyRecordFile(*chosen, CustomFile(custom.packFile), kPackFileSize)) {
        CopyError("Load Failed");
        return;
    }
    std::string supplemental = SupplementalName(*chosen);
    bool progressCopied = false;
    if (plat::FileExists(supplemental) && AskForSupplementalData(window)) {
        progressCopied = CopyRecordFile(supplemental, CustomFile(custom.progressFile), kProgressFileSize);
        if (!progressCopied)
            CopyError("Load Failed");
    }
    // Without its own progress the new pack starts afresh, never with the old pack's.
    if (!progressCopied)
        plat::DeleteFileAt(CustomFile(custom.progressFile));
    ShowLoadedPack(window);
}

void SaveCustomPackAs(plat::Window* window)
{
    plat::FileDialogRequest request = Request(window, "Save File As");
    request.defaultExtension = "zdb";
    std::optional<std::string> chosen = plat::RunSaveFileDialog(request);
    if (!chosen)
        return;
    // The progress the player sees goes with the pack, not what the file held at the last save.
    SaveProgress();
    const PackTableEntry& custom = PackTable[CustomPackIndex];
    if (!CopyRecordFile(CustomFile(custom.packFile), *chosen, kPackFileSize)) {
        CopyError("Save Failed");
        return;
    }
    if (!CopyRecordFile(CustomFile(custom.progressFile), SupplementalName(*chosen), kProgressFileSize))
        CopyError("Supplemental Save Failed");
}
