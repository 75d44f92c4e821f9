// Pop-up menus as data: items with a text, a command, a greyed and a checked state, separators
// and sub-pop-ups. The game rewrites entries at run time (the Hint and Custom pop-ups); showing
// and tracking a menu on the screen works on the same model.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

struct Menu;
struct Window;

struct MenuItem {
    std::string text;            // empty for a separator
    int command = 0;             // 0 for separators and sub-pop-ups
    bool greyed = false;         // shown grey and not selectable
    bool checked = false;
    std::unique_ptr<Menu> popup; // set: the item opens this sub-pop-up

    bool isSeparator() const { return !popup && text.empty() && command == 0; }
};

struct Menu {
    std::vector<MenuItem> items;
};

// Items to build a menu from, one per line of a table: a Popup line opens a sub-pop-up that the
// lines of the next depth fill, an Item line is an entry, a Separator line a rule.
enum class MenuLineKind { Popup, Item, Separator };
struct MenuLine {
    int depth;
    MenuLineKind kind;
    std::string_view text;
    int command;
};
// The menu that a table describes (its depth-0 lines are the menu's own items).
std::unique_ptr<Menu> BuildMenu(const MenuLine* lines, int count);

MenuItem Separator();
MenuItem Entry(std::string_view text, int command);

// The sub-pop-up at a position of a menu; null when that item has none.
Menu* SubMenu(Menu* menu, int position);
// The first item with that command, searched through the sub-pop-ups; null when none has it.
MenuItem* FindMenuItem(Menu* menu, int command);
// The pop-up that directly holds the item with that command; null when none does.
Menu* FindMenuOwning(Menu* menu, int command);
// Removes the first item with that command (searched through the sub-pop-ups); false when none.
bool RemoveMenuItem(Menu* menu, int command);
// Inserts at a position of this menu (past the end appends); false for a null menu.
bool InsertMenuItem(Menu* menu, int position, MenuItem item);
// Greys or enables the item with that command (searched through the sub-pop-ups).
bool EnableMenuItem(Menu* menu, int command, bool enabled);
bool CheckMenuItem(Menu* menu, int command, bool checked);

// Gives a menu bar its drop-down menus: item i of the menu is the pop-up of button i.
void SetMenuBarMenu(Window* bar, std::unique_ptr<Menu> menu, std::vector<int> buttonCommands);
// The pop-up a menu-bar button opens; null when the bar or the button has none.
Menu* MenuBarSubMenu(Window* bar, int buttonCommand);

} // namespace plat
