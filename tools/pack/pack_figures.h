// Making puzzles: convex figures found by the solver, figures grown tile by tile and scored,
// figures from sketches, grading order, and contact sheets of silhouettes.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "pack/pack_design.h"
#include "pack/pack_solver.h"
#include "platform/bitmap.h"

// Layout counts stop here: a puzzle with this many layouts is easy enough to say so.
constexpr long kSolveLimit = 2000;

// ---- Scoring -------------------------------------------------------------------------------
struct FigureScore {
    double convexity = 0;   // area / area of the convex hull
    double symmetry = 0;    // share of the area that a left-right or top-bottom mirror keeps
    double compactness = 0; // area / bounding box area
    int holes = 0;          // empty quarter cells closed in by the figure
    int slits = 0;          // empty quarter cells with two filled neighbours (narrow gaps)
    int tips = 0;           // filled quarter cells with at most one filled neighbour
    int edges = 0;          // straight runs of the outline
    int steps = 0;          // of those, runs under three sides long (jags)
    double total = 0;
};
FigureScore ScoreSilhouette(const Silhouette& shape);

// Per quarter of a grid, the tile that covers it or -1.
struct QuarterGrid {
    int width = 0;
    int height = 0;
    std::vector<int> owner; // (y * width + x) * 4 + part
    int at(int x, int y, int part) const;
};
// The edges of a grid-unit-7 piece's outline, each as the quarters lying just outside it.
const std::vector<std::vector<CellPart>>& OutlineEdges(const Piece& piece);
// Whether a piece at (x, y) touches the tiles `placed` (drawn into `grid`) along a whole edge:
// one of its own edges lies wholly against them, or one of theirs wholly against it.
bool TouchesAlongEdge(const QuarterGrid& grid, const Layout& placed, const Piece& piece, int x, int y);

// A w x h cell rectangle with its corners cut along diagonals: cut[i] takes off the triangle
// with legs of cut[i] cells at the top-left, top-right, bottom-right, bottom-left corner.
Silhouette CutRectangle(int w, int h, const int (&cut)[4]);

// ---- Makers --------------------------------------------------------------------------------
// Every convex figure the seven tiles can form (octagons whose sides follow the cell edges
// and diagonals), turned and mirrored copies left out, with their layout counts in the notes.
std::vector<DesignPuzzle> ConvexFigures(long limit);

struct GrowOptions {
    unsigned seed = 1;
    int count = 10;    // figures wanted
    int tries = 2000;  // arrangements grown to choose them from
};
// Grows arrangements tile by tile, each new tile touching the figure along a whole edge,
// keeps the fit, fair and best-scoring ones with distinct silhouettes. Notes carry each
// figure's own seed, so `GrowOne` makes it again.
std::vector<DesignPuzzle> GrowFigures(const GrowOptions& options);
// The arrangement grown from one seed (empty layout when the growth got stuck).
Layout GrowOne(unsigned seed);

// Sketch text: blocks of "sketch NAME" followed by rows of cell characters: '#' full, '.'
// empty, 'q' 'p' 'b' 'd' the upper-left, upper-right, lower-left, lower-right halves,
// 'v' '<' '^' '>' the top, right, bottom, left quarters, '0'..'9' 'A'..'F' any quarters as
// bits (1 top, 2 right, 4 bottom, 8 left); ';' starts a comment line. Each sketch becomes the
// first fair layout that fills it exactly or, failing that, the best fair near fit (its notes
// say how near); a sketch with neither is an error.
std::vector<DesignPuzzle> FiguresOfSketches(const std::string& text, std::vector<std::string>& errors);
// Cell bits of a sketch character; -1 for an unknown one.
int SketchCellBits(char c);

// A layout that nearly fills a silhouette: `covered` of its quarters under tiles, `outside`
// tile quarters beyond it.
struct SketchFit {
    Layout layout;
    int covered = 0;
    int outside = 0;
};
// The best layouts a beam search finds, best first: tiles placed largest first, each lying
// almost wholly inside the silhouette, none overlapping, ranked by quarters covered less three
// times the quarters outside.
std::vector<SketchFit> FitSilhouette(const Silhouette& shape, int beamWidth);

// Puzzles sorted from easy to hard (grade, then more layouts first), each with notes
// "grade: G" and "layouts: N" (replacing older ones).
std::vector<DesignPuzzle> GradedInOrder(const std::vector<DesignPuzzle>& puzzles, long limit);

// ---- Contact sheet -------------------------------------------------------------------------
struct SheetOptions {
    int unit = 3;             // draw the tiles at grid unit 3 (the preview) or 7 (the board)
    bool colourTiles = false; // each tile in its own colour instead of one silhouette colour
    int columns = 10;
};
// Silhouettes in numbered cells, ten to a row; overlapping pixels show red.
std::unique_ptr<plat::Bitmap> DrawContactSheet(const std::vector<DesignPuzzle>& puzzles,
                                               const SheetOptions& options);
