// Where the desktop window stood and how large it was, kept in a small text file beside the
// settings ("window.ini"), so that the game opens where the player left it.
#pragma once

#include <optional>
#include <string>

namespace plat {

struct WindowPlacement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

// Sizes a window may be remembered at: at least the screen once, at most sixteen times.
constexpr int kPlacementMinWidth = 240;
constexpr int kPlacementMinHeight = 320;
constexpr int kPlacementMaxSide = 16 * 320;

// The placement in the file; nothing when the file is missing, unreadable or damaged (a line
// that is not key=number, a number out of range, a size missing or outside the limits above).
std::optional<WindowPlacement> LoadWindowPlacement(const std::string& path);
// Writes the placement as text through a replacing write; false on failure.
bool SaveWindowPlacement(const std::string& path, const WindowPlacement& placement);

} // namespace plat
