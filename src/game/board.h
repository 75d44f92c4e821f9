// The board: stacking order and selection of the seven play tiles, their home arrangement, the
// tile commands, drag steps, and the layers that compose the board picture.
#pragma once

#include <span>

#include "platform/geometry.h"
#include "resources/command_ids.h"
#include "resources/home_places.h"

namespace plat {
struct Window;
}

// The board counts as 34 columns by 40 rows when the tiles are centred.
constexpr int kBoardColumns = 34;
constexpr int kBoardRows = 40;

// Selects the tile at z-order position p (it comes to the front, see-through) or, with -1,
// deselects; composes what changed and renders the whole screen.
void SelectTile(plat::Window* window, int p);
// The z-order position of the tile with that index (-1 read as 0); 0 when none has it.
int FindTileInZOrder(int tileIndex);
// Puts all seven tiles on their home places, the parallelogram mirrored; sets TilesAtHome.
void ArrangeTilesAtHome(plat::Window* window);
// Draws the tiles back to front into the TileLayer, leaving out the front one if asked.
void RedrawTileLayer(bool skipFront);
// Recomposes the BoardLayer inside the rectangle from background, tiles and overlay.
void ComposeBoard(int x, int y, int w, int h);
// Rebuilds the TileMaskLayer (and the TileLayer if asked) from all tiles, composes and renders.
void RebuildBoard(bool clearTileLayer);

// One tile for centring: grid position and the pixel size of its image at grid unit 7.
struct CenteringItem {
    int column;
    int row;
    int width;
    int height;
};
// The column and row shift that centres the items' bounding cells on the 34 x 40 grid.
plat::Point CenteringOffset(std::span<const CenteringItem> items);
// Moves the arrangement to the middle of the grid, turning nothing, and rebuilds the board.
void CenterTiles();

// Tile commands by number; answers false for a number that is not one of them.
bool RunTileCommand(plat::Window* window, int command);

// Moves the selected tile by the whole 7-pixel steps the pen made since PenAnchor.
void DragStep(plat::Window* window, int penX, int penY);
