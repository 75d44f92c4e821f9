// Hints and the puzzle overlay. The hint menu and the revealed tiles come with the hint commands;
// the board already calls the refresh at the places where the highlight changes.
#pragma once

#include "resources/command_ids.h"

namespace plat {
struct Window;
}


// Marks the selected tile in the preview panel when a hint names it.
void RefreshHintHighlight();
// Builds the OverlayMaskLayer: the dithered silhouette of the current puzzle.
void BuildOverlay();
// Command 40086: switches the overlay on or off and recomposes the board.
void ToggleOverlay(plat::Window* window);
// Hint state for the current puzzle from its progress record.
void ResetHintState();
