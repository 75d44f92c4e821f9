// Commands that reach the main window (menu, toolbar, accelerator keys).
#pragma once

#include "resources/command_ids.h"

namespace plat {
struct Window;
}


// Carries out a command; false when it has no handler (the key or entry then does nothing).
bool HandleCommand(plat::Window* window, int command);
