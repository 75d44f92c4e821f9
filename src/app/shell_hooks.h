// The calls lower layers make upward (a tile redraws the screen and runs the solved check, a
// settings save captures the board): the shell installs them at start-up.
#pragma once

// Installs the game's own hooks into the tiles and data layers.
void InstallShellHooks();
