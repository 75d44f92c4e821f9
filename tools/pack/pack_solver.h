// Exact covers of a silhouette by the seven tiles, at grid unit 7 (what the player sees) and at
// grid unit 1 (what the solved check compares), and the difficulty grade drawn from them.
#pragma once

#include <cstdint>
#include <vector>

#include "pack/pack_design.h"

// One tile of a layout: its kind, image and grid position.
struct Placement {
    int kind;
    int image;
    int x;
    int y;
    friend bool operator==(const Placement&, const Placement&) = default;
};
using Layout = std::vector<Placement>;

// The record of a layout: tiles in tile-index order, positions as given (not normalised).
PuzzleRecord RecordOfLayout(const Layout& layout);
// The record shifted so that its smallest column and row are 0.
PuzzleRecord Normalised(PuzzleRecord record);
// The layout of a record.
Layout LayoutOfRecord(const PuzzleRecord& record);

// What to cover: a grid of cells with `parts` parts each (4 at grid unit 7, 1 at grid unit 1).
struct CoverTarget {
    int width = 0;
    int height = 0;
    int parts = 1;
    std::vector<std::uint8_t> filled; // one entry per part, index (y * width + x) * parts + part
};
// The target of a silhouette (grid unit 7) and of a record's pixels at grid unit 1.
CoverTarget TargetOfSilhouette(const Silhouette& shape);
CoverTarget PixelTargetOfRecord(const PuzzleRecord& record);

struct CoverResult {
    long count = 0;
    bool capped = false;         // stopped at the limit; count is a lower bound
    std::vector<Layout> layouts; // kept when asked for, up to the limit
};
// Every way to cover the target exactly with the seven tiles (no part twice, none left over),
// pieces of the grid unit's shapes placed at whole cells. Tiles of one kind are interchangeable,
// so each layout counts once. Stops after `limit` layouts.
CoverResult CoverAll(int unit, const CoverTarget& target, long limit, bool keepLayouts);

// A puzzle judged by its covers.
struct PuzzleAnalysis {
    long layouts = 0;         // tile layouts that show the silhouette
    bool layoutsCapped = false;
    long refusedLookalikes = 0;  // of those, layouts the solved check does not accept
    long acceptedOthers = 0;     // layouts the check accepts that look different
    bool acceptedCapped = false;
    int grade = 0;               // 1 (many layouts, easy) .. 5 (one layout, hard)
    bool fair() const { return refusedLookalikes == 0 && acceptedOthers == 0; }
};
PuzzleAnalysis AnalysePuzzle(const PuzzleRecord& record, long limit);
// Grade 1..5 from a count of layouts.
int GradeOfLayoutCount(long layouts);
