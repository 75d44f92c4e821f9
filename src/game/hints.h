// Hints and the puzzle overlay: hints reveal the solution tile by tile (tile 0 first) and are
// counted per puzzle; the overlay paints the dithered silhouette on the board.
#pragma once

#include "resources/command_ids.h"

namespace plat {
struct Window;
}

// Rewrites the "Hint" pop-up of the "Game " menu for a state: -1 (no hint given yet), or the
// hint command just carried out (40072..40075). The label names the number of the next hint.
void SetHintMenu(int state);
// The hint state of a newly shown puzzle: hints hidden, HintCounter 7 when solved, else its
// hints - 1, and the Hint pop-up to match.
void ResetHintState();
// HintCounter from the current puzzle's progress (7 when solved, else hints - 1), and the Hint
// pop-up: "Get Hint (1)" while no hint was given, else the hidden state. HintsVisible is left as
// it is.
void ResetHintCounter();
// Commands 40072 (Get Hint), 40073 (Next Hint), 40074 (Hide Hints), 40075 (Show Hints); false
// for any other number.
bool RunHintCommand(plat::Window* window, int command);
// Marks the selected revealed tile's place in the panel's silhouette, unmarks the previous one.
void RefreshHintHighlight();
// Whether RenderScreen draws the selected tile's hint tile on the board: the overlay is on,
// hints are shown, the selected tile is revealed and the puzzle exists.
bool HintTileShown();
// Builds the OverlayMaskLayer: the dithered silhouette of the current puzzle.
void BuildOverlay();
// Command 40086: switches the overlay on or off and recomposes the board.
void ToggleOverlay(plat::Window* window);
