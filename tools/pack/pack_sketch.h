// Figure sketches: silhouettes drawn as quarter-cell rows, polygons or black-and-white pictures,
// brought to the tiles' scale and filled with the seven tiles as nearly as they allow.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "pack/pack_design.h"
#include "pack/pack_figures.h"
#include "pack/pack_solver.h"

// Quarter cells the seven tiles cover: 512 when every tile lies with its legs (the square with its
// sides, the parallelogram with its short sides) along the grid lines, 576 when every one is
// turned by 45 degrees; a figure of mixed tiles lies between.
constexpr int kTileAreaLow = 512;
constexpr int kTileAreaHigh = 576;

// ---- Sketch text -----------------------------------------------------------------------------
// Blocks "sketch NAME", each drawn in one of three ways:
//   rows of cell characters (SketchCellBits), taken at the tiles' scale as drawn;
//   "poly X,Y X,Y ..." lines, one polygon each, in half cells ("unit quarter": quarter cells,
//   "unit cell": whole cells);
//   lines indented by spaces continue the polygon above; "cut X,Y ..." takes a polygon away;
//   "picture FILE.png", a black-and-white picture, one unit a pixel, black the figure;
//   "piece NAME X,Y" lines, tiles laid out by hand at grid cells (PieceOfName), as drawn.
// Polygons and pictures are scaled and shifted until the tiles fit them best ("scale S" takes the
// drawing S times as large as drawn instead; polygon corners still snap to grid points). "pick N" chooses the N-th best fit for the pack (default 1); "note TEXT"
// lines become notes of the puzzle; ';' starts a comment line.
struct SketchPolygon {
    bool cut = false;
    std::vector<std::array<double, 2>> points; // in sketch units
};
struct Sketch {
    std::string name;
    int line = 0; // of its "sketch" line
    std::vector<std::string> notes;
    std::vector<std::string> rows;
    std::vector<SketchPolygon> polygons;
    std::string picture; // path, relative ones taken from the sketch file's folder
    Layout pieces;
    double unitCells = 0.5;
    double scale = 0; // times as drawn; 0 searches
    int pick = 1;
};
// The sketches of a text; `folder` is where relative picture paths start. Errors name the line.
std::vector<Sketch> ParseSketches(const std::string& text, const std::string& folder,
                                  std::vector<std::string>& errors);
// A tile shape by name: "s-", "m-" or "l-" (small, medium, large triangle) with the corner of its
// right angle ("tl", "tr", "br", "bl") or the way its apex points ("up", "down", "left", "right");
// "q" the square, "d" the square as a diamond; "p-" the parallelogram: "a/", "a\", "a|/", "a|\"
// with sides of four cells, "b/", "b\", "b|/", "b|\" with sides of six, lying flat or standing
// ("|"), leaning as the stroke shows ("a\", "a|/", "b/" and "b|\" are the flipped ones).
bool PieceOfName(const std::string& name, int& kind, int& image);
// Cell bits of a row character: '#' full, '.' empty, 'q' 'p' 'b' 'd' the upper-left, upper-right,
// lower-left, lower-right halves, 'v' '<' '^' '>' the top, right, bottom, left quarters, '0'..'9'
// 'A'..'F' any quarters as bits (1 top, 2 right, 4 bottom, 8 left); -1 for an unknown character.
int SketchCellBits(char c);

// ---- Drawings --------------------------------------------------------------------------------
// What a sketch draws, in its own units: polygons or the black pixels of a picture.
struct SketchDrawing {
    std::vector<SketchPolygon> polygons;
    int pictureWidth = 0;
    int pictureHeight = 0;
    std::vector<std::uint8_t> ink; // one per pixel, 1 for black
    double left = 0, top = 0, right = 0, bottom = 0;
    double area = 0; // square units, holes and cuts taken away
    bool inside(double x, double y) const;
};
// The drawing of a polygon or picture sketch; false with a message when there is none.
bool DrawingOfSketch(const Sketch& sketch, SketchDrawing& drawing, std::string& error);
// The quarter cells mostly inside the drawing at `cellsPerUnit`, its top-left corner shifted by
// (dx, dy) cells from the origin, trimmed.
Silhouette RasterOfDrawing(const SketchDrawing& drawing, double cellsPerUnit, double dx, double dy);
// The silhouette of a row sketch.
Silhouette SilhouetteOfRows(const std::vector<std::string>& rows);
// The quarter cells of pieces laid out by hand, shifted so that none lies left of or above 0.
Silhouette SilhouetteOfPieces(const Layout& pieces);

// ---- Fits ------------------------------------------------------------------------------------
// Cells a tile may reach beyond the sketch; fits are laid out in the sketch's frame widened by it.
constexpr int kFitMargin = 3;

// A layout that nearly fills a silhouette: `covered` of its quarters under tiles, `outside` tile
// quarters beyond it.
struct SketchFit {
    Layout layout;
    int covered = 0;
    int outside = 0;
};
// The best distinct layouts a beam search finds, best first: tiles placed largest first, none
// overlapping at grid unit 7 or 1, ranked by quarters covered less three times those outside.
// Tiles reaching outside are penalised, not refused, so thin figures still get a best effort.
std::vector<SketchFit> FitSilhouette(const Silhouette& shape, int beamWidth);

struct FitOptions {
    double maxOpen = 0.05;  // share of the sketch the tiles may leave open
    double maxAdded = 0.10; // tile quarters beyond the sketch, as a share of it
    bool jagged = false;   // accept jags in the outline
    int fits = 1;          // accepted fits wanted, each with its own silhouette
    int beam = 400;
    int effort = 1;        // more fits annealed, each for longer
};
struct FigureFit {
    Layout layout;     // in the frame of `sketch`
    Silhouette sketch; // the sketch at this fit's scale and offset, widened by kFitMargin
    int sketchArea = 0;
    int open = 0;  // sketch quarters left open
    int added = 0; // tile quarters outside the sketch
    FigureScore score;
    PuzzleAnalysis analysis;
    std::vector<std::string> refusals; // empty when accepted
    double openShare() const { return sketchArea ? static_cast<double>(open) / sketchArea : 0; }
};
struct FigureDesign {
    std::vector<FigureFit> accepted; // best first
    std::vector<FigureFit> nearest;  // the best refused fits that ranked above every accepted one
    std::vector<std::string> why;    // what stood in the way, when none was accepted
};
// Searches scales and offsets (or takes the rows as drawn) for the fits of a sketch.
FigureDesign DesignFigure(const Sketch& sketch, const FitOptions& options, std::string& error);
// The record of a fit, normalised.
PuzzleRecord RecordOfFit(const FigureFit& fit);
// The puzzle of a fit: kind, the sketch's notes, how near the fit is, grade and layouts.
DesignPuzzle PuzzleOfFit(const Sketch& sketch, const FigureFit& fit);
// One line on a fit: open share, quarters added, outline, layouts and grade, refusals.
std::string DescribeFit(const FigureFit& fit);

// Every sketch of a text made into its puzzle (its picked fit); errors say which sketches failed.
std::vector<DesignPuzzle> FiguresOfSketches(const std::string& text, std::vector<std::string>& errors);
