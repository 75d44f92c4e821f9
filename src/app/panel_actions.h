// What the preview panel's buttons do when the pen is lifted over them, and the edit toolbar
// switch (command 40085): moving on to the next unsolved puzzle, expanding and collapsing the
// panel, and editing the custom pack on the board (previous, store, next / new, delete
// following, close edit row).
#pragma once

#include "game/preview_panel.h"

namespace plat {
struct Window;
}

// Carries out a button's action; answers whether it changed the whole board (the pen-up
// handler then refreshes all of it instead of the panel's area).
bool RunPanelAction(plat::Window* window, PanelButton button);
// Command 40085: edit toolbar on or off, the Custom pop-up's entry relabelled to match.
void SwitchEditToolbar(plat::Window* window);
