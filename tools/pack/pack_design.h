// Pack authoring: tile shapes as cell pieces, puzzle records as readable text, pack files,
// validity checks and silhouettes, for the pack tool and its tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/layers.h"
#include "data/puzzle_pack.h"
#include "game/solved_check.h"

// ---- Tile shapes -------------------------------------------------------------------------
// Five shape kinds; tiles 0,1 are kind 0 and tiles 5,6 kind 4.
enum ShapeKind { kSmallKind, kMediumKind, kSquareKind, kParallelogramKind, kLargeKind };
constexpr int kKindCount = 5;
constexpr int kTileKind[7] = {kSmallKind, kSmallKind, kMediumKind, kSquareKind,
                              kParallelogramKind, kLargeKind, kLargeKind};
constexpr int kKindTileCount[kKindCount] = {2, 1, 1, 1, 2};
// Distinct mask images per kind: 8 for triangles and the parallelogram (N0..N3, M0..M3),
// 2 for the square (axis-aligned, diamond).
constexpr int kKindImageCount[kKindCount] = {8, 8, 2, 8, 8};

// The image of a tile kind for an orientation (and the mirror flag of the parallelogram).
int ImageOfOrientation(int kind, int orientation, bool mirrored);
// The orientation and mirror flag that show an image.
struct ImagePose {
    int orientation;
    bool mirrored;
};
ImagePose PoseOfImage(int kind, int image);

// A piece on a grid of cells split into `parts` parts each (4 quarter cells at grid unit 7,
// one pixel at grid unit 1). Offsets are relative to the tile's grid position.
struct CellPart {
    int cx;
    int cy;
    int part;
    friend bool operator==(const CellPart&, const CellPart&) = default;
};
struct Piece {
    int kind = 0;
    int image = 0;
    int width = 0;  // cells spanned, from the tile's grid position
    int height = 0;
    std::vector<CellPart> parts; // sorted by (cy, cx, part)
    bool exact = true;           // every quarter cell it touches it covers whole
    std::vector<std::uint8_t> cover; // per part of its width x height cells: covered or not
    // Whether the piece covers part `part` of cell (cx, cy), relative to its grid position.
    bool has(int cx, int cy, int part) const;
};

// Quarter cells at grid unit 7: a 7 x 7 block of pixels (offset one pixel from the grid point)
// cut by both diagonals. Part numbers:
enum QuarterPart { kTopQuarter, kRightQuarter, kBottomQuarter, kLeftQuarter };
// The quarter of a pixel at (lx, ly), both 1..7, inside its block.
int QuarterOfPixel(int lx, int ly);

// The piece of a kind's image at grid unit 7 (quarter cells) or 1 (pixels).
const Piece& PieceAt(int unit, int kind, int image);
// Width and height in pixels of tile `tile`'s mask in a record's pose, at unit 7, 3 or 1.
struct PixelSize {
    int width;
    int height;
};
PixelSize TileImageSize(int unit, const PuzzleRecord& record, int tile);

// ---- Silhouettes ---------------------------------------------------------------------------
// A set of quarter cells, 4 bits per cell (bit = 1 << QuarterPart), row after row.
struct Silhouette {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> cells;

    std::uint8_t at(int x, int y) const;
    void add(int x, int y, int part);
    int area() const; // in quarter cells
    friend bool operator==(const Silhouette&, const Silhouette&) = default;
};
// The quarter cells of a record at grid unit 7, in the record's own frame.
Silhouette SilhouetteOf(const PuzzleRecord& record);
// Trimmed to its bounding box.
Silhouette Trimmed(const Silhouette& shape);
// One of the 8 turns and mirror images of a trimmed silhouette (0..3 quarter turns clockwise,
// +4 mirrored left to right first).
Silhouette Transformed(const Silhouette& shape, int symmetry);
// A key equal for two silhouettes exactly when one is a turn or mirror image of the other.
std::string CanonicalKey(const Silhouette& shape);

// ---- Validity ------------------------------------------------------------------------------
// Largest silhouette the preview panel can show whole (its picture must stay on the board).
constexpr int kPreviewMaxWidth = 232;
constexpr int kPreviewMaxHeight = 233;

// The solved check's verdict: both arrangements drawn as exclusive-or masks at grid unit 1 into
// a 35 x 40 surface (the player's shifted to start at column and row 0); solved when the
// rectangle they cover is all clear and lies inside the surface.
bool CheckSurfaceMatches(const PuzzleRecord& solution, const PuzzleRecord& player);
// Every problem of one record, in words; empty when it is a fit puzzle.
std::vector<std::string> RecordProblems(const PuzzleRecord& record);

// ---- Source text and pack files ------------------------------------------------------------
struct DesignPuzzle {
    std::string name;
    std::vector<std::string> notes; // "# ..." lines of the block, without "# "
    PuzzleRecord record{};
};
// The note value for a key ("kind: convex" gives "convex" for "kind"); empty when absent.
std::string NoteValue(const DesignPuzzle& puzzle, const std::string& key);

// Parses source text: blocks of "puzzle NAME", seven "tile COLUMN ROW ORIENTATION" lines in
// tile order, "mirrored 0|1"; "#" lines are notes of the block they are in. Errors name the
// line; the result is empty then.
std::vector<DesignPuzzle> ParsePackSource(const std::string& text, std::vector<std::string>& errors);
// The text ParsePackSource reads back into the same puzzles.
std::string FormatPackSource(const std::vector<DesignPuzzle>& puzzles);
// A pack block for built-in pack `packIndex` (0..3): count, the table's check bytes, the
// records, zeros after the last one. False with a message when there are more than 100.
bool MakePackBlock(const std::vector<DesignPuzzle>& puzzles, int packIndex, PackBlock& block,
                   std::string& error);
// The puzzles of a block, named by their numbers.
std::vector<DesignPuzzle> PuzzlesOfBlock(const PackBlock& block);
// Which built-in pack's check bytes a block carries; -1 for none.
int PackIndexOfBlock(const PackBlock& block);
