// What the screen shows beyond the board, for the driver's state report: the open pop-up menu,
// the open dialog and the tooltip.
#pragma once

#include <string>

// JSON members (each led by a comma) to append to the state object: "openMenu" (the texts of
// the innermost open pop-up, separators as "", or null), "dialog" (null or the open dialog's
// title and, for a file dialog, its folder, list and name field) and "tooltip".
std::string DescribeScreenState();
// A JSON string literal of UTF-8 text.
std::string JsonString(std::string_view text);
