// The menu bar with its "Game " drop-down menu and the toolbar. Only an empty bar exists so far.
#pragma once

namespace plat {
struct Window;
}

extern plat::Window* MenuBar; // null while there is none

// Creates the (still empty) menu bar at the bottom of the screen.
void CreateMenuBar(plat::Window* owner);
void DestroyMenuBar();
// Resets the custom-pack entries of the "Custom" pop-up: entry 40085 back at position 3 as
// "Enable Toolbar", and 40085, 40082, 40083 greyed unless the custom pack is current.
// Does nothing while there is no menu.
void ResetCustomPackMenu();
