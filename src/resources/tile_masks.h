// The tile masks: every shape of the seven tiles at grid units 7, 3 and 1 as 1-bit bitmaps,
// under their mask numbers. The masks of one shape are numbered consecutively: triangles
// orientation 0..7, the square axis-aligned then diamond, the parallelogram N0..N3 then M0..M3.
#pragma once

#include "platform/bitmap.h"

// First mask number of each shape, by grid unit.
struct MaskNumberRow {
    int gridUnit;
    int smallTriangle;
    int mediumTriangle;
    int square;
    int parallelogram;
    int largeTriangle;
};
extern const MaskNumberRow kMaskNumbers7; // 182, 166, 198, 202, 150
extern const MaskNumberRow kMaskNumbers3; // 248, 240, 268, 256, 232
extern const MaskNumberRow kMaskNumbers1; // 286, 278, 302, 294, 270
// The row for a grid unit of 7, 3 or 1 (null for any other).
const MaskNumberRow* MaskNumbersForUnit(int gridUnit);
// First mask number of tile 0..6 in a row (tiles 0 and 1 small, 5 and 6 large triangles);
// -1 for any other index.
int MaskNumberOfTile(const MaskNumberRow& row, int tileIndex);

// The mask with that number, made once and kept for the run; null for a number that names none.
const plat::Bitmap* TileMask(int maskNumber);
// A fresh copy of a mask (the sprites own theirs).
std::unique_ptr<plat::Bitmap> LoadTileMask(int maskNumber);

// The see-through pattern, resource 231: 90 x 90, pixel (x, y) set exactly when x + y is even.
const plat::Bitmap& SeeThroughPattern();
