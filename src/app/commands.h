// Commands that reach the main window (menu, toolbar, accelerator keys).
#pragma once

#include "resources/command_ids.h"

namespace plat {
struct Window;
}

// Carries out a command; false when it has no handler (the key or entry then does nothing).
bool HandleCommand(plat::Window* window, int command);

// The dialogs live above the shell: their subsystem installs what opens them (InstallDialogs,
// ui/dialog_openers.h) before the game starts. An opener left null opens nothing.
struct DialogOpenerTable {
    void (*about)(plat::Window* window);            // command 40002
    void (*puzzles)(plat::Window* window);          // command 40016
    void (*settings)(plat::Window* window);         // command 40040
    void (*browserFromPanel)(plat::Window* window); // the panel's puzzle-number button
};
extern DialogOpenerTable DialogOpeners;
