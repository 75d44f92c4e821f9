// The tooltip: one line of text in a small pale box that a tap-and-hold on a button shows until
// the pen is lifted.
#pragma once

#include <string>
#include <string_view>

#include "platform/geometry.h"

namespace plat {

// Shows the text just above the button (screen pixels), or below it when there is no room
// above, kept on the screen; replaces a tooltip already shown. Empty text shows nothing.
void ShowTooltip(std::string_view text, const Rect& button);
void HideTooltip();
// The text of the tooltip on the screen; empty when none is.
std::string ShownTooltip();

} // namespace plat
