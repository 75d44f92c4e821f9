// Keyboard play: R and W turn, the arrows move one grid step, Tab and Shift+Tab walk the tiles,
// C clears the centre (M and F reach the mirror and flip commands directly). A move takes the
// same way as a pen drag: a grid step, then the end of the move with its clamp and solved check.
#include "app/keyboard_play.h"

#include "app/pen_input.h"
#include "app/shell_state.h"
#include "game/board.h"
#include "resources/command_ids.h"
#include "tiles/tile_set.h"

namespace {

// The tiles in the stacking order they had when Tab started walking them, so that every tile
// comes in turn although each one selected moves to the front.
int TabRing[kTileCount];
int TabAt = -1;

void MoveSelectedTile(plat::Window* window, int columns, int rows)
{
    if (!TileSelected)
        return;
    TilesAtHome = false;
    ZOrderList[0]->moveBy(window, columns, rows);
    FinishTileMove(window);
}

// Tab: the next tile down the stack (the front one when none is selected); Shift+Tab: back up.
void SelectAnotherTile(plat::Window* window, int step)
{
    bool walking = TabAt >= 0 && TileSelected && ZOrderList[0]->tileIndex == TabRing[TabAt];
    if (!walking) {
        for (int i = 0; i < kTileCount; ++i)
            TabRing[i] = ZOrderList[i]->tileIndex;
        TabAt = TileSelected ? 0 : (step > 0 ? kTileCount - 1 : 0);
    }
    TabAt = (TabAt + step + kTileCount) % kTileCount;
    SelectTile(window, FindTileInZOrder(TabRing[TabAt]));
}

} // namespace

bool RunKeyboardCommand(plat::Window* window, int command)
{
    switch (command) {
    case kCommandKeyR:
        return RunTileCommand(window, kCommandRotateClockwise);
    case kCommandKeyW:
        return RunTileCommand(window, kCommandRotateCounterClockwise);
    case kCommandKeyC:
        return RunTileCommand(window, kCommandClearCenter);
    case kCommandKeyLeft: MoveSelectedTile(window, -1, 0); return true;
    case kCommandKeyRight: MoveSelectedTile(window, 1, 0); return true;
    case kCommandKeyUp: MoveSelectedTile(window, 0, -1); return true;
    case kCommandKeyDown: MoveSelectedTile(window, 0, 1); return true;
    case kCommandNextTile: SelectAnotherTile(window, 1); return true;
    case kCommandPreviousTile: SelectAnotherTile(window, -1); return true;
    default:
        return false;
    }
}
