// Toolbar images: bitmap 135 (five 16 x 16 pictures) and the two standard arrows the toolbar
// uses (standard small images 8 and 9, undo and redo).
#pragma once

#include <memory>

#include "platform/bitmap.h"

constexpr int kToolbarImageSize = 16;
constexpr int kToolbarImageCount = 20; // 0..4 from bitmap 135, 5..19 the standard small images

// The image with that index of the toolbar's image list as a screen bitmap; null for an index
// that has no picture here (the standard images other than the undo and redo arrows).
std::unique_ptr<plat::Bitmap> LoadToolbarImage(int index);
