// Making puzzles: convex figures found by the solver, figures grown tile by tile and scored,
// and the order of a pack from easy to hard.
#pragma once

#include <string>
#include <vector>

#include "pack/pack_design.h"
#include "pack/pack_solver.h"

// Layout counts stop here: a puzzle with this many layouts is easy enough to say so.
constexpr long kSolveLimit = 2000;

// ---- Scoring -------------------------------------------------------------------------------
struct FigureScore {
    double convexity = 0;   // area / area of the convex hull
    double symmetry = 0;    // share of the area that a left-right or top-bottom mirror keeps
    double compactness = 0; // area / bounding box area
    int holes = 0;          // empty quarter cells closed in by the figure
    int smallestHole = 0;   // quarters of the smallest closed-in region (0: none)
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

// Puzzles sorted from easy to hard (grade, then more layouts first), each with notes
// "grade: G" and "layouts: N" (replacing older ones).
std::vector<DesignPuzzle> GradedInOrder(const std::vector<DesignPuzzle>& puzzles, long limit);
