// Shell-wide state: one instance each, alive for the whole run (owned by the application shell).
#pragma once

#include <string>

#include "platform/geometry.h"

namespace plat {
struct Window;
}

// The folder of the program file, ending in a separator; every data file is named relative to it.
extern std::string ProgramDirectory;

extern plat::Window* MainWindow;   // null until the main window exists
extern plat::Window* MenuBar;      // the menu and toolbar bar with its drop-down; null while none
extern bool TileSelected;          // ZOrderList entry 0 is selected and drawn on top
extern bool HintsVisible;          // revealed tiles are marked
extern int HintCounter;            // -1 no hint, n: tiles 0..n revealed, 7 solved
extern bool ClockPaused;           // the per-puzzle clock does not count
extern bool MessageBoxActive;      // the game's own message box is up (not a deactivation)
extern bool TilesAtHome;           // all tiles at home and none moved since
extern bool ReopenBrowser;         // the puzzle browser is to be opened again
extern plat::Point PenAnchor;      // last pen position used for dragging

// Back to the values at program start (tests).
void ResetShellState();
