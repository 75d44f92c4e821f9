// Pen input and painting of the main window: pen down selects, pen move drags, pen up drops and
// runs the solved check; paint copies the ScreenBuffer to the window.
#pragma once

namespace plat {
struct Window;
}

// ZOrderList entry i becomes entry 0; the entries before it move one place back.
void BringToFront(int i);

void PenDown(plat::Window* window, int x, int y);
void PenMove(plat::Window* window, int x, int y);
void PenUp(plat::Window* window, int x, int y);
void PaintMainWindow(plat::Window* window);
