// Hints and the puzzle overlay: the hint state of the shown puzzle and the dithered silhouette.
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
