// The desktop front end on SDL2.
#pragma once

#include <memory>
#include <string>

#include "platform/bitmap.h"
#include "platform/front_end.h"

namespace plat {

// What the desktop window shows besides the screen, and where it keeps its placement.
struct DesktopWindowOptions {
    const Bitmap* icon = nullptr; // the program icon, a screen bitmap; null: none
    std::string placementFile;    // the window placement file; empty: not remembered
};

// The desktop front end: a host window showing the screen at twice its size, never smaller than
// the screen once, or where and as large as it was left when it has a placement file. Null when
// no display can be opened.
std::unique_ptr<FrontEnd> CreateSdlFrontEnd(const std::string& title,
                                            const DesktopWindowOptions& options = {});

} // namespace plat
