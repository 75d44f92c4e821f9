// Pictures written as PNG files (screenshots, contact sheets).
#pragma once

#include <string>

#include "platform/bitmap.h"

namespace plat {

// Writes a bitmap as an 8-bit RGB PNG file; false on failure.
bool SavePng(const Bitmap& bitmap, const std::string& path);

} // namespace plat
