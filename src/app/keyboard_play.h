// Keyboard play on the desktop: the keys of the accelerator table that turn, move, mirror and
// flip the selected tile, pick another tile and clear the centre.
#pragma once

namespace plat {
struct Window;
}

// Carries out a keyboard-play command; false for a number that is not one of them.
bool RunKeyboardCommand(plat::Window* window, int command);
