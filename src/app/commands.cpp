// Commands of the main window: the tile commands, the overlay, pause, exit and the immediate
// close of Ctrl+Q, custom pack import and export.
#include "app/commands.h"

#include "app/custom_pack_files.h"
#include "app/keyboard_play.h"
#include "app/panel_actions.h"
#include "data/puzzle_pack.h"
#include "data/settings.h"
#include "app/shell_state.h"
#include "game/board.h"
#include "game/hints.h"
#include "platform/message_box.h"
#include "platform/window.h"

DialogOpenerTable DialogOpeners{};

namespace {

void CloseAtOnce(plat::Window* window)
{
    // Deactivate first, so the tile is dropped and the clock stopped before the files are written.
    plat::SendMessage({window, plat::Msg::Activate, {}, plat::kInactive, 0, window});
    plat::SendMessage({window, plat::Msg::Close});
}

void AskExit(plat::Window* window)
{
    MessageBoxActive = true;
    plat::MessageResult answer = plat::ShowMessageBox(window, "Exit Zentiles?", "Confirm",
                                                      plat::MessageIcon::Question,
                                                      plat::MessageButtons::YesNo);
    if (answer == plat::MessageResult::Yes)
        plat::SendMessage({window, plat::Msg::Close});
    MessageBoxActive = false;
}

// Load... and Save  As... act only on the custom pack (their entries are greyed for the others).
bool RunCustomPackCommand(plat::Window* window, int command)
{
    if (command != kCommandLoadCustom && command != kCommandSaveCustomAs)
        return false;
    if (GameSettings.currentPack != CustomPackIndex)
        return true;
    if (command == kCommandLoadCustom)
        LoadCustomPack(window);
    else
        SaveCustomPackAs(window);
    return true;
}

// About, Puzzles... and Settings... open their dialogs.
bool RunDialogCommand(plat::Window* window, int command)
{
    void (*open)(plat::Window*) = command == kCommandAbout      ? DialogOpeners.about
                                  : command == kCommandPuzzles  ? DialogOpeners.puzzles
                                  : command == kCommandSettings ? DialogOpeners.settings
                                                                : nullptr;
    if (open)
        open(window);
    return command == kCommandAbout || command == kCommandPuzzles || command == kCommandSettings;
}

} // namespace

bool HandleCommand(plat::Window* window, int command)
{
    if (RunTileCommand(window, command) || RunHintCommand(window, command) ||
        RunCustomPackCommand(window, command) || RunKeyboardCommand(window, command) ||
        RunDialogCommand(window, command))
        return true;
    switch (command) {
    case kCommandCloseAtOnce:
        CloseAtOnce(window);
        return true;
    case kCommandExit:
        AskExit(window);
        return true;
    case kCommandToggleOverlay:
        ToggleOverlay(window);
        return true;
    case kCommandEditToolbar:
        SwitchEditToolbar(window);
        return true;
    case kCommandPause:
        SelectTile(window, -1);
        ClockPaused = true;
        return true;
    default:
        return false;
    }
}
