// Pen input and painting of the main window: pen down selects, pen move drags, pen up drops and
// runs the solved check; paint copies the ScreenBuffer to the window.
#pragma once

namespace plat {
struct Window;
}

void PenDown(plat::Window* window, int x, int y);
void PenMove(plat::Window* window, int x, int y);
void PenUp(plat::Window* window, int x, int y);
// The end of a move of the selected tile, by pen or key: it is clamped to the board, the puzzle
// checked, the status line and the screen brought up to date.
void FinishTileMove(plat::Window* window);
void PaintMainWindow(plat::Window* window);
