// Commands that reach the main window (menu, toolbar, accelerator keys).
#pragma once

namespace plat {
struct Window;
}

constexpr int kCommandCloseAtOnce = 1;
constexpr int kCommandExit = 40041;
constexpr int kCommandPause = 40088;

// Carries out a command; false when it has no handler (the key or entry then does nothing).
bool HandleCommand(plat::Window* window, int command);
