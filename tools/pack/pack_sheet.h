// Pictures to judge puzzles by: contact sheets of silhouettes, and sheets of sketch fits with the
// sketch's outline drawn over the tiles.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "pack/pack_design.h"
#include "pack/pack_sketch.h"
#include "platform/bitmap.h"

struct SheetOptions {
    int unit = 3;             // draw the tiles at grid unit 3 (the preview) or 7 (the board)
    bool colourTiles = false; // each tile in its own colour instead of one silhouette colour
    int columns = 10;
    bool names = false;       // each puzzle's name under it
};
// Silhouettes in numbered cells, ten to a row. Pixels of two tiles that truly overlap (at grid
// unit 7 or 1) show red; the seams the coarser masks share are not overlaps and stay dark.
std::unique_ptr<plat::Bitmap> DrawContactSheet(const std::vector<DesignPuzzle>& puzzles,
                                               const SheetOptions& options);

struct FitSheetRow {
    std::string name;
    FigureDesign design;
};
// One row a sketch at grid unit 7: the sketch alone, then its accepted fits (or, when there are
// none, the nearest refused ones), the tiles' silhouette under the sketch's outline, captioned.
std::unique_ptr<plat::Bitmap> DrawFitSheet(const std::vector<FitSheetRow>& rows);

// A text picture of a record's layout, two characters a cell: each half of a cell shows the tile
// (0..6) that covers most of it, '.' where none does.
std::string TextPicture(const PuzzleRecord& record);
