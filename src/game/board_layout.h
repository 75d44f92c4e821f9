// The board side of saving and restoring the layout: where the seven play tiles and the
// preview panel lie. The settings file keeps it (CaptureBoardState, RestoreBoardState).
#pragma once

#include "data/settings.h"

struct BoardLayout {
    SavedTile tiles[7];         // grid position (7-pixel units) and orientation, tile order
    bool parallelogramMirrored; // play tile 4
    int panelX;                 // preview panel, board pixels
    int panelY;
};

// The layout as the board shows it now.
BoardLayout ReadBoardLayout();
// Puts the tiles and the panel where the layout says: mirrors the parallelogram once when the
// layout says mirrored (a freshly built tile is not), places each tile, sets the panel position.
void ApplyBoardLayout(const BoardLayout& layout);

// Board state <-> GameSettings: the seven play tiles, the parallelogram's mirror, the panel
// position. Capture stores the board as it lies now (ReadBoardLayout).
void CaptureBoardState();
// Puts the saved layout back on the board (ApplyBoardLayout of SavedBoardLayout()).
void RestoreBoardState();
// The saved layout as the board may take it: orientations brought into 0..7 and grid positions
// into the board (0..34, 0..38), whatever a damaged file held.
BoardLayout SavedBoardLayout();
