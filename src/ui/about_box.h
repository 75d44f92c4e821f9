// The About box (dialog 103): the game's name, version, where it comes from and the goal of the
// puzzles.
#pragma once

namespace plat {
struct Window;
}

// Command 40002 (About, Ctrl+A): shows the box until Done, then deselects the tile.
void RunAboutBox(plat::Window* window);
