// The menu bar with its "Game " button and the toolbar of tile commands.
#pragma once

#include "platform/geometry.h"
#include "resources/command_ids.h"

namespace plat {
struct Window;
struct Menu;
}

// Positions in the "Game " pop-up.
constexpr int kCustomPopupPosition = 0;
constexpr int kHintPopupPosition = 2;

// Creates the menu bar and its toolbar at the bottom of the screen, for the owner's commands.
void CreateMenuBar(plat::Window* owner);
void DestroyMenuBar();
// The "Game " pop-up of the menu bar; null while there is no menu bar.
plat::Menu* GameMenu();
// Opens the "Game " pop-up above its button and tracks it (a nested loop); a chosen entry's
// command is posted to the main window. By key: its first entry starts highlighted.
void OpenGameMenu(bool fromKeyboard);
// Where the toolbar button of a command lies on the screen; empty when no button sends it.
plat::Rect ToolbarButtonRect(int command);
