// The menu tables. Each line is one entry; depth 1 lines fill the pop-up above them, depth 2
// lines its sub-pop-up.
#include "resources/menus.h"

#include <iterator>

namespace {

using plat::MenuLine;
using enum plat::MenuLineKind;

// Menu 102. The Hint pop-up's four entries are replaced at start-up and after every hint
// command, so "Get Hint" and "Next Hint" never show with these texts.
constexpr MenuLine kMenu102[] = {
    {0, Popup, "Game ", 0},
    {1, Popup, "Custom", 0},
    {2, Item, "Load...", 40082},
    {2, Item, "Save  As...", 40083},
    {2, Separator, "", 0},
    {2, Item, "Enable Toolbar", 40085},
    {1, Separator, "", 0},
    {1, Popup, "Hint", 0},
    {2, Item, "Get Hint", 40072},
    {2, Item, "Next Hint", 40073},
    {2, Item, "Hide Hints", 40074},
    {2, Item, "Show Hints", 40075},
    {1, Separator, "", 0},
    {1, Item, "Settings...", 40040},
    {1, Item, "Puzzles...", 40016},
    {1, Item, "About", 40002},
    {1, Separator, "", 0},
    {1, Item, "Pause", 40088},
    {1, Item, "Exit", 40041},
};

// Menu 302: tap-and-hold on a row of the puzzle browser.
constexpr MenuLine kMenu302[] = {
    {0, Popup, "List", 0},
    {1, Item, "Clear Selected", 40026},
    {1, Item, "Clear All", 40038},
};

} // namespace

std::unique_ptr<plat::Menu> LoadMenuResource(int number)
{
    switch (number) {
    case kMenuGame:
        return plat::BuildMenu(kMenu102, static_cast<int>(std::size(kMenu102)));
    case kMenuBrowserList:
        return plat::BuildMenu(kMenu302, static_cast<int>(std::size(kMenu302)));
    default:
        return nullptr;
    }
}
