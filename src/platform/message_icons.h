// Pictures of the message box icons as pixel-art rows.
#pragma once

#include <span>

#include "platform/geometry.h"
#include "platform/message_box.h"

namespace plat {

// Side of an icon's art in pixels (drawn at twice that on screen).
constexpr int kMessageIconSide = 16;

// Rows of the icon's art: '.' clear, other letters stand for colours (MessageIconColor). Empty for
// MessageIcon::None.
std::span<const char* const> MessageIconArt(MessageIcon icon);
// The colour a letter of the art stands for.
Color MessageIconColor(char letter);

} // namespace plat
