// String resources by number.
#pragma once

#include <string_view>

constexpr int kStringTitle = 1;
constexpr int kStringClassName = 3;
constexpr int kStringGameMenu = 40048; // the menu-bar button

// The string with that number; empty when there is none.
std::string_view LoadStringResource(int number);
