// The program icon, icon group 101: the seven tiles laid as a square, at 32 x 32 and 16 x 16
// pixels in the sixteen standard colours. The window, the desktop menu and the About box show it.
#pragma once

#include <memory>

#include "platform/bitmap.h"

constexpr int kProgramIconResource = 101;
constexpr int kProgramIconLarge = 32;
constexpr int kProgramIconSmall = 16;

// The icon image with that side (kProgramIconLarge or kProgramIconSmall) as a screen bitmap;
// null for any other side.
std::unique_ptr<plat::Bitmap> LoadProgramIcon(int side);
