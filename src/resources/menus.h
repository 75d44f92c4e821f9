// Menu resources by number: 102, the "Game " pop-up of the menu bar, and 302, the pop-up of the
// puzzle browser's list.
#pragma once

#include <memory>

#include "platform/menu.h"

constexpr int kMenuGame = 102;
constexpr int kMenuBrowserList = 302;

// The menu with that number, freshly built (its first item is the pop-up it names); null when
// there is none.
std::unique_ptr<plat::Menu> LoadMenuResource(int number);
