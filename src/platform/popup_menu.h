// Pop-up menus on the screen: a menu of the model (menu.h) shown over everything, with its
// sub-pop-ups, tracked by the pen and the keys until an entry is chosen or the menu dismissed.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/geometry.h"
#include "platform/menu.h"
#include "platform/raster.h"

namespace plat {

struct TrackOptions {
    // The anchor is the menu's bottom-left corner (a menu bar's pop-up opens upwards) or its
    // top-left corner (a pop-up at the pen).
    bool anchorIsBottomLeft = false;
    // Screen pixels of the button that opened the menu: the pen lifted there keeps it open.
    Rect source{};
    // Opened by a key: the first selectable entry starts highlighted.
    bool fromKeyboard = false;
};

// Shows the menu with its top-left (or bottom-left) corner at the anchor, kept on the screen,
// and runs a nested loop: the pen pressed, slid and lifted on an entry, or a tap on it, chooses
// it; a tap outside, or Escape at the first level, dismisses. Up and Down move between the
// selectable entries, Right and Return open a sub-pop-up, Left and Escape close it, Return
// chooses. Greyed entries and separators are never highlighted or chosen. The menu is closed
// before this returns. Answers the chosen command, or 0 when dismissed.
int TrackPopupMenu(const Menu& menu, Point anchor, const TrackOptions& options = {});

// What an open pop-up shows, for scripts that look at or tap it: one entry per open level,
// outermost first.
struct PopupItemView {
    std::string text;
    bool separator = false;
    bool greyed = false;
    bool checked = false;
    bool popup = false;
    Rect rect{}; // screen pixels
};
struct PopupLevelView {
    std::vector<PopupItemView> items;
    int highlighted = -1;
};
// The levels of the open pop-up menu; empty when none is open.
std::vector<PopupLevelView> OpenPopupMenuView();

// Size of a menu's pop-up and the rectangle of each item in it (for the benchmark and tests).
Size PopupMenuSize(const Menu& menu);
// Draws the pop-up of a menu at (0, 0) of the context, item `highlighted` marked (-1: none).
void PaintPopupMenu(DrawContext& dc, const Menu& menu, int highlighted);

} // namespace plat
