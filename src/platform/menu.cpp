// Pop-up menus as data, and the few edits the game makes to them.
#include "platform/menu.h"

#include <algorithm>

#include "platform/window.h"

namespace plat {

namespace {

// Builds the items of one menu from lines[at] onward while they are at `depth`; answers the
// first line it did not take.
int BuildItems(Menu& menu, const MenuLine* lines, int count, int at, int depth)
{
    while (at < count && lines[at].depth >= depth) {
        const MenuLine& line = lines[at++];
        if (line.depth > depth)
            continue; // deeper lines without a pop-up above them belong nowhere
        MenuItem item;
        switch (line.kind) {
        case MenuLineKind::Separator:
            break;
        case MenuLineKind::Item:
            item.text = line.text;
            item.command = line.command;
            break;
        case MenuLineKind::Popup:
            item.text = line.text;
            item.popup = std::make_unique<Menu>();
            at = BuildItems(*item.popup, lines, count, at, depth + 1);
            break;
        }
        menu.items.push_back(std::move(item));
    }
    return at;
}

} // namespace

std::unique_ptr<Menu> BuildMenu(const MenuLine* lines, int count)
{
    auto menu = std::make_unique<Menu>();
    BuildItems(*menu, lines, count, 0, 0);
    return menu;
}

MenuItem Separator()
{
    return MenuItem{};
}

MenuItem Entry(std::string_view text, int command)
{
    MenuItem item;
    item.text = text;
    item.command = command;
    return item;
}

Menu* SubMenu(Menu* menu, int position)
{
    if (!menu || position < 0 || position >= static_cast<int>(menu->items.size()))
        return nullptr;
    return menu->items[static_cast<std::size_t>(position)].popup.get();
}

Menu* FindMenuOwning(Menu* menu, int command)
{
    if (!menu || command == 0)
        return nullptr;
    for (MenuItem& item : menu->items) {
        if (!item.popup && item.command == command)
            return menu;
        if (Menu* inner = FindMenuOwning(item.popup.get(), command))
            return inner;
    }
    return nullptr;
}

MenuItem* FindMenuItem(Menu* menu, int command)
{
    Menu* owner = FindMenuOwning(menu, command);
    if (!owner)
        return nullptr;
    for (MenuItem& item : owner->items)
        if (!item.popup && item.command == command)
            return &item;
    return nullptr;
}

bool RemoveMenuItem(Menu* menu, int command)
{
    Menu* owner = FindMenuOwning(menu, command);
    if (!owner)
        return false;
    auto it = std::find_if(owner->items.begin(), owner->items.end(),
                           [&](const MenuItem& item) { return !item.popup && item.command == command; });
    owner->items.erase(it);
    return true;
}

bool InsertMenuItem(Menu* menu, int position, MenuItem item)
{
    if (!menu)
        return false;
    std::size_t at = std::min(static_cast<std::size_t>(std::max(position, 0)), menu->items.size());
    menu->items.insert(menu->items.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
    return true;
}

bool EnableMenuItem(Menu* menu, int command, bool enabled)
{
    MenuItem* item = FindMenuItem(menu, command);
    if (item)
        item->greyed = !enabled;
    return item != nullptr;
}

bool CheckMenuItem(Menu* menu, int command, bool checked)
{
    MenuItem* item = FindMenuItem(menu, command);
    if (item)
        item->checked = checked;
    return item != nullptr;
}

void SetMenuBarMenu(Window* bar, std::unique_ptr<Menu> menu, std::vector<int> buttonCommands)
{
    if (!bar)
        return;
    bar->menu = std::move(menu);
    bar->menuButtons = std::move(buttonCommands);
}

Menu* MenuBarSubMenu(Window* bar, int buttonCommand)
{
    if (!bar || !IsWindowAlive(bar))
        return nullptr;
    auto it = std::find(bar->menuButtons.begin(), bar->menuButtons.end(), buttonCommand);
    if (it == bar->menuButtons.end())
        return nullptr;
    return SubMenu(bar->menu.get(), static_cast<int>(it - bar->menuButtons.begin()));
}

} // namespace plat
