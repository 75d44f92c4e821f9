// Test helper: the square the seven tiles form, as the texture anchors lay it out (turn 0),
// written as a puzzle record.
#pragma once

#include "data/puzzle_pack.h"
#include "tiles/tile_set.h"

namespace testsupport {

inline PuzzleRecord SquarePuzzle()
{
    PuzzleRecord record{};
    for (int tile = 0; tile < kTileCount; ++tile) {
        plat::Point anchor = TextureAnchor(tile, 0);
        // Anchors sit one pixel inside the grid point of their image, plus the tables' margin.
        record.x[tile] = static_cast<std::int8_t>(anchor.x / 7);
        record.y[tile] = static_cast<std::int8_t>(anchor.y / 7);
        record.orientation[tile] = static_cast<std::int8_t>(TextureFirstOrientation(tile));
    }
    record.mirrored = 0;
    return record;
}

} // namespace testsupport
