// The menu bar with its "Game " button and the toolbar of tile commands.
#pragma once

#include "platform/geometry.h"
#include "resources/command_ids.h"

namespace plat {
struct Window;
struct Menu;
}

extern plat::Window* MenuBar; // null while there is none

// Positions in the "Game " pop-up.
constexpr int kCustomPopupPosition = 0;
constexpr int kHintPopupPosition = 2;

// Creates the menu bar and its toolbar at the bottom of the screen, for the owner's commands.
void CreateMenuBar(plat::Window* owner);
void DestroyMenuBar();
// The pop-up a menu-bar button opens (kCommandGameMenu: the "Game " pop-up); null while there
// is no menu bar.
plat::Menu* MenuBarSubMenu(int command);
// Where the toolbar button of a command lies on the screen; empty when no button sends it.
plat::Rect ToolbarButtonRect(int command);
// Resets the custom-pack entries of the "Custom" pop-up: entry 40085 back at position 3 as
// "Enable Toolbar", and 40085, 40082, 40083 greyed unless the custom pack is current.
// Does nothing while there is no menu.
void ResetCustomPackMenu();
