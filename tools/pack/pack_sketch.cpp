// Figure sketches: parsing, drawings at the tiles' scale, the beam-search fitter and the search
// over scales and offsets that picks, checks and explains the fits.
#include "pack/pack_sketch.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include <png.h>

namespace {

// ---- sketch text ---------------------------------------------------------------------------

std::string Percent(double share)
{
    std::ostringstream text;
    text.setf(std::ios::fixed);
    text.precision(1);
    text << 100 * share << "%";
    return text.str();
}


bool ParsePoints(std::istringstream& in, SketchPolygon& polygon)
{
    std::string pair;
    while (in >> pair) {
        std::size_t comma = pair.find(',');
        if (comma == std::string::npos)
            return false;
        try {
            std::size_t used = 0;
            double x = std::stod(pair.substr(0, comma), &used);
            if (used != comma)
                return false;
            double y = std::stod(pair.substr(comma + 1), &used);
            if (used != pair.size() - comma - 1 || std::abs(x) > 1e4 || std::abs(y) > 1e4)
                return false;
            polygon.points.push_back({x, y});
        } catch (const std::exception&) {
            return false;
        }
    }
    return true;
}

bool IsRow(const std::string& line)
{
    return std::ranges::all_of(line, [](char c) { return SketchCellBits(c) >= 0; });
}

// One line inside a sketch block; false when it is not understood.
bool ParseSketchLine(const std::string& line, const std::string& folder, Sketch& sketch)
{
    std::istringstream in(line);
    if (line[0] == ' ')
        return !sketch.polygons.empty() && ParsePoints(in, sketch.polygons.back());
    std::string word;
    in >> word;
    if (word == "poly" || word == "cut") {
        sketch.polygons.push_back({word == "cut", {}});
        return ParsePoints(in, sketch.polygons.back());
    }
    std::string rest;
    std::getline(in >> std::ws, rest);
    if (word == "piece") {
        std::string at;
        Placement p{};
        std::istringstream fields(rest);
        fields >> word >> at;
        std::size_t comma = at.find(',');
        if (!PieceOfName(word, p.kind, p.image) || comma == std::string::npos)
            return false;
        p.x = std::atoi(at.substr(0, comma).c_str());
        p.y = std::atoi(at.substr(comma + 1).c_str());
        if (std::abs(p.x) > 100 || std::abs(p.y) > 100)
            return false;
        sketch.pieces.push_back(p);
        return true;
    }
    if (word == "note" && !rest.empty()) {
        sketch.notes.push_back(rest);
        return true;
    }
    if (word == "picture" && !rest.empty()) {
        sketch.picture = rest[0] == '/' ? rest : folder + "/" + rest;
        return true;
    }
    if (word == "unit" && (rest == "cell" || rest == "half" || rest == "quarter")) {
        sketch.unitCells = rest == "cell" ? 1 : rest == "half" ? 0.5 : 0.25;
        return true;
    }
    if (word == "pick" || word == "scale") {
        double value = std::atof(rest.c_str());
        if (value <= 0 || value > 100)
            return false;
        if (word == "pick")
            sketch.pick = static_cast<int>(value);
        else
            sketch.scale = value;
        return true;
    }
    if (IsRow(line)) {
        sketch.rows.push_back(line);
        return true;
    }
    return false;
}


// ---- drawings ------------------------------------------------------------------------------

bool InsidePolygon(const SketchPolygon& polygon, double x, double y)
{
    bool in = false;
    const auto& p = polygon.points;
    for (std::size_t i = 0, j = p.size() - 1; i < p.size(); j = i++)
        if ((p[i][1] > y) != (p[j][1] > y) &&
            x < (p[j][0] - p[i][0]) * (y - p[i][1]) / (p[j][1] - p[i][1]) + p[i][0])
            in = !in;
    return in;
}

bool LoadPicture(const std::string& path, SketchDrawing& drawing, std::string& error)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        error = path + ": not a readable PNG file";
        return false;
    }
    if (image.width < 1 || image.height < 1 || image.width > 4096 || image.height > 4096) {
        png_image_free(&image);
        error = path + ": a picture must be 1 to 4096 pixels a side";
        return false;
    }
    image.format = PNG_FORMAT_GA;
    std::vector<png_byte> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        error = path + ": " + image.message;
        return false;
    }
    drawing.pictureWidth = static_cast<int>(image.width);
    drawing.pictureHeight = static_cast<int>(image.height);
    drawing.ink.resize(pixels.size() / 2);
    for (std::size_t i = 0; i < drawing.ink.size(); ++i)
        drawing.ink[i] = pixels[2 * i] < 128 && pixels[2 * i + 1] >= 128 ? 1 : 0;
    return true;
}

void MeasureDrawing(SketchDrawing& d)
{
    if (!d.ink.empty()) {
        d.left = d.pictureWidth;
        d.top = d.pictureHeight;
        for (int y = 0; y < d.pictureHeight; ++y)
            for (int x = 0; x < d.pictureWidth; ++x)
                if (d.ink[static_cast<std::size_t>(y * d.pictureWidth + x)]) {
                    d.left = std::min<double>(d.left, x);
                    d.top = std::min<double>(d.top, y);
                    d.right = std::max<double>(d.right, x + 1);
                    d.bottom = std::max<double>(d.bottom, y + 1);
                    d.area += 1;
                }
        return;
    }
    d.left = d.top = 1e9;
    d.right = d.bottom = -1e9;
    for (const SketchPolygon& p : d.polygons)
        for (const auto& point : p.points)
            if (!p.cut) {
                d.left = std::min(d.left, point[0]);
                d.right = std::max(d.right, point[0]);
                d.top = std::min(d.top, point[1]);
                d.bottom = std::max(d.bottom, point[1]);
            }
    // Unions and cuts overlap freely, so the area is counted on a fine grid.
    constexpr int kSteps = 400;
    double step = std::max(d.right - d.left, d.bottom - d.top) / kSteps;
    for (double y = d.top + step / 2; y < d.bottom; y += step)
        for (double x = d.left + step / 2; x < d.right; x += step)
            d.area += d.inside(x, y) ? step * step : 0;
}

// Seven points spread over the top quarter of a unit cell (the others are its quarter turns).
constexpr double kQuarterSamples[7][2] = {
    {0.5, 0.17}, {0.25, 0.08}, {0.75, 0.08}, {0.5, 0.35}, {0.37, 0.2}, {0.63, 0.2}, {0.5, 0.05},
};

std::array<double, 2> TurnedSample(int part, const double (&point)[2])
{
    double x = point[0] - 0.5, y = point[1] - 0.5;
    for (int turn = 0; turn < part; ++turn) { // a quarter turn clockwise: top becomes right
        double nx = -y, ny = x;
        x = nx;
        y = ny;
    }
    return {x + 0.5, y + 0.5};
}

// ---- snapping polygons to the grid ---------------------------------------------------------

using Point = std::array<double, 2>;

// The direction an edge should keep: its own, or the nearest multiple of 45 degrees when it is
// within 8 degrees of one (tile sides all lie on such lines).
double WantedAngle(const Point& a, const Point& b)
{
    double angle = std::atan2(b[1] - a[1], b[0] - a[0]);
    double step = std::atan(1.0);
    double nearest = std::round(angle / step) * step;
    return std::abs(angle - nearest) < 8 * step / 45 ? nearest : angle;
}

double AngleError(const Point& a, const Point& b, double wanted)
{
    if (a == b)
        return 0.3; // a vanished edge loses a little of the drawing
    double d = std::atan2(b[1] - a[1], b[0] - a[0]) - wanted;
    d = std::remainder(d, 2 * std::acos(-1.0));
    return std::abs(d);
}

// The polygon with every corner moved to one of the four grid points around it, chosen so that
// the edges keep their directions best (a cycle solved by dynamic programming from each start).
// A column or row met before, in `snapped`, keeps where it went, so polygons that share corners
// or meet along a grid line stay joined.
struct SnappedLines {
    std::map<double, double> x;
    std::map<double, double> y;
};
std::vector<Point> SnappedPolygon(const std::vector<Point>& points, SnappedLines& snapped)
{
    std::size_t n = points.size();
    auto snap = [](const std::map<double, double>& known, double v, int up) {
        auto found = known.find(v);
        return found != known.end() ? found->second : std::floor(v) + up;
    };
    auto choice = [&](std::size_t i, int c) {
        return Point{snap(snapped.x, points[i][0], c & 1), snap(snapped.y, points[i][1], c >> 1)};
    };
    auto cost = [&](std::size_t i, int a, int b) { // edge i -> i + 1
        std::size_t j = (i + 1) % n;
        Point p = choice(i, a), q = choice(j, b);
        double dx = q[0] - points[j][0], dy = q[1] - points[j][1];
        return AngleError(p, q, WantedAngle(points[i], points[j])) + 0.05 * (dx * dx + dy * dy);
    };
    double best = 1e18;
    std::vector<int> bestChoices;
    for (int first = 0; first < 4; ++first) {
        std::vector<std::array<double, 4>> total(n);
        std::vector<std::array<int, 4>> from(n);
        total[0] = {1e18, 1e18, 1e18, 1e18};
        total[0][static_cast<std::size_t>(first)] = 0;
        for (std::size_t i = 1; i < n; ++i)
            for (int b = 0; b < 4; ++b) {
                total[i][static_cast<std::size_t>(b)] = 1e18;
                for (int a = 0; a < 4; ++a) {
                    double t = total[i - 1][static_cast<std::size_t>(a)] + cost(i - 1, a, b);
                    if (t < total[i][static_cast<std::size_t>(b)]) {
                        total[i][static_cast<std::size_t>(b)] = t;
                        from[i][static_cast<std::size_t>(b)] = a;
                    }
                }
            }
        for (int last = 0; last < 4; ++last) {
            double t = total[n - 1][static_cast<std::size_t>(last)] + cost(n - 1, last, first);
            if (t >= best)
                continue;
            best = t;
            bestChoices.assign(n, 0);
            bestChoices[n - 1] = last;
            for (std::size_t i = n - 1; i > 0; --i)
                bestChoices[i - 1] = from[i][static_cast<std::size_t>(bestChoices[i])];
        }
    }
    std::vector<Point> out;
    for (std::size_t i = 0; i < n; ++i)
        out.push_back(choice(i, bestChoices[i]));
    for (std::size_t i = 0; i < n; ++i) {
        snapped.x.emplace(points[i][0], out[i][0]);
        snapped.y.emplace(points[i][1], out[i][1]);
    }
    return out;
}

// ---- fitting -------------------------------------------------------------------------------

struct FitFrame {
    int width = 0;  // cells: the shape widened by kFitMargin on each side
    int height = 0;
    int pixelWidth = 0; // unit-1 pixels
    int pixelHeight = 0;
};

FitFrame FrameOf(const Silhouette& shape)
{
    FitFrame f{shape.width + 2 * kFitMargin, shape.height + 2 * kFitMargin, 0, 0};
    f.pixelWidth = f.width + 2;
    f.pixelHeight = f.height + 2;
    return f;
}

struct FitCandidate {
    Placement placement;
    int inside = 0;
    int outside = 0;
    std::vector<int> quarters; // indices into the frame's quarters
    std::vector<int> pixels;   // indices into the frame's unit-1 pixels
    int value() const { return inside - 3 * outside; }
};

bool FilledAt(const Silhouette& shape, int x, int y, int part)
{
    return (shape.at(x - kFitMargin, y - kFitMargin) >> part) & 1;
}

// Placements of a kind with at least a quarter of the tile inside the shape, best first.
std::vector<FitCandidate> FitCandidates(const Silhouette& shape, const FitFrame& frame, int kind)
{
    std::vector<FitCandidate> out;
    for (int image = 0; image < kKindImageCount[kind]; ++image) {
        const Piece& piece = PieceAt(7, kind, image);
        const Piece& pixels = PieceAt(1, kind, image);
        for (int y = 0; y + piece.height <= frame.height; ++y)
            for (int x = 0; x + piece.width <= frame.width; ++x) {
                FitCandidate c{{kind, image, x, y}, 0, 0, {}, {}};
                for (const CellPart& p : piece.parts)
                    (FilledAt(shape, x + p.cx, y + p.cy, p.part) ? c.inside : c.outside) += 1;
                if (4 * c.inside < static_cast<int>(piece.parts.size()))
                    continue;
                for (const CellPart& p : piece.parts)
                    c.quarters.push_back(((y + p.cy) * frame.width + x + p.cx) * 4 + p.part);
                for (const CellPart& p : pixels.parts)
                    c.pixels.push_back((y + p.cy) * frame.pixelWidth + x + p.cx);
                out.push_back(std::move(c));
            }
    }
    std::ranges::stable_sort(out, [](const FitCandidate& a, const FitCandidate& b) { return a.value() > b.value(); });
    return out;
}

struct BeamState {
    std::vector<int> chosen; // candidate index, one per step
    std::vector<std::uint8_t> quarters;
    std::vector<std::uint8_t> pixels;
    int inside = 0;
    int outside = 0;
    int value() const { return inside - 3 * outside; }
};

bool Overlaps(const BeamState& state, const FitCandidate& c)
{
    return std::ranges::any_of(c.quarters, [&](int q) { return state.quarters[static_cast<std::size_t>(q)] != 0; }) ||
           std::ranges::any_of(c.pixels, [&](int p) { return state.pixels[static_cast<std::size_t>(p)] != 0; });
}

constexpr int kFitOrder[7] = {kLargeKind, kLargeKind, kMediumKind, kParallelogramKind,
                              kSquareKind, kSmallKind, kSmallKind};

// One step of the beam: each state tries its best free placements of the next kind.
std::vector<BeamState> BeamStep(const std::vector<BeamState>& beam, const std::vector<FitCandidate>& list,
                                bool sameAsBefore, int beamWidth)
{
    constexpr int kBranches = 48;
    struct Next {
        int value;
        std::size_t parent;
        int candidate;
    };
    std::vector<Next> next;
    for (std::size_t s = 0; s < beam.size(); ++s) {
        const BeamState& state = beam[s];
        int taken = 0;
        // Like tiles in one order only.
        for (int c = sameAsBefore ? state.chosen.back() + 1 : 0; c < static_cast<int>(list.size()) && taken < kBranches; ++c) {
            const FitCandidate& cand = list[static_cast<std::size_t>(c)];
            if (Overlaps(state, cand))
                continue;
            next.push_back({state.value() + cand.value(), s, c});
            ++taken;
        }
    }
    std::ranges::stable_sort(next, [](const Next& a, const Next& b) { return a.value > b.value; });
    if (next.size() > static_cast<std::size_t>(beamWidth))
        next.resize(static_cast<std::size_t>(beamWidth));
    std::vector<BeamState> grown;
    for (const Next& n : next) {
        BeamState state = beam[n.parent];
        const FitCandidate& cand = list[static_cast<std::size_t>(n.candidate)];
        for (int q : cand.quarters)
            state.quarters[static_cast<std::size_t>(q)] = 1;
        for (int p : cand.pixels)
            state.pixels[static_cast<std::size_t>(p)] = 1;
        state.inside += cand.inside;
        state.outside += cand.outside;
        state.chosen.push_back(n.candidate);
        grown.push_back(std::move(state));
    }
    return grown;
}

// ---- the search over scales and offsets ----------------------------------------------------

const char* const kKindNames[kKindCount] = {"small triangle", "medium triangle", "square",
                                            "parallelogram", "large triangle"};

// The sketch at each scale and offset worth trying, distinct.
std::vector<Silhouette> RastersOf(const Sketch& sketch, std::string& error)
{
    if (!sketch.rows.empty())
        return {SilhouetteOfRows(sketch.rows)};
    if (!sketch.pieces.empty())
        return {Trimmed(SilhouetteOfPieces(sketch.pieces))};
    SketchDrawing drawing;
    if (!DrawingOfSketch(sketch, drawing, error))
        return {};
    // Corners snap to grid points, so neighbouring scales may give one raster or skip an area:
    // the scales run finely from a little below the band to a little above it.
    constexpr int kScales = 16;
    constexpr int kLowest = kTileAreaLow - 32, kHighest = kTileAreaHigh + 32;
    std::vector<double> scales;
    if (sketch.scale > 0)
        scales.push_back(sketch.scale);
    else {
        scales.push_back(1); // as drawn: a drawing made to the tiles' measure keeps them
        for (int i = 0; i < kScales; ++i)
            scales.push_back(std::sqrt((kLowest + (kHighest - kLowest) * i / (kScales - 1.0)) / 4.0 / drawing.area));
    }
    std::vector<Silhouette> rasters;
    for (double scale : scales)
        for (double dy : {0.0, 0.5})
            for (double dx : {0.0, 0.5}) {
                Silhouette raster = RasterOfDrawing(drawing, scale, dx, dy);
                bool inBand = raster.area() >= kLowest && raster.area() <= kHighest;
                if ((inBand || sketch.scale > 0) && raster.area() > 0 &&
                    std::ranges::find(rasters, raster) == rasters.end())
                    rasters.push_back(std::move(raster));
            }
    if (rasters.empty())
        error = "at no scale tried does the drawing cover " + std::to_string(kLowest) + " to " +
                std::to_string(kHighest) + " quarter cells";
    return rasters;
}

Silhouette Widened(const Silhouette& shape)
{
    Silhouette out{shape.width + 2 * kFitMargin, shape.height + 2 * kFitMargin, {}};
    out.cells.assign(static_cast<std::size_t>(out.width * out.height), 0);
    for (int y = 0; y < shape.height; ++y)
        for (int x = 0; x < shape.width; ++x)
            out.cells[static_cast<std::size_t>((y + kFitMargin) * out.width + x + kFitMargin)] = shape.at(x, y);
    return out;
}

FigureFit MeasuredFit(const Silhouette& raster, Layout layout, int covered, int outside)
{
    FigureFit fit;
    // Exact covers come in the raster's own frame; move them into the widened one.
    fit.layout = std::move(layout);
    fit.sketch = Widened(raster);
    fit.sketchArea = raster.area();
    fit.open = fit.sketchArea - covered;
    fit.added = outside;
    return fit;
}

// A closed-in region too small to read as a designed opening (a letter's counter, a handle).
constexpr int kSmallestOpening = 8;
bool PinHole(const FigureScore& score)
{
    return score.holes > 0 && score.smallestHole < kSmallestOpening;
}

int BaseCost(const FigureFit& fit)
{
    return fit.open + 3 * fit.added;
}

int FitCost(const FigureFit& fit)
{
    return BaseCost(fit) + 12 * (fit.score.steps + fit.score.slits + (PinHole(fit.score) ? fit.score.holes : 0));
}

// ---- polishing a fit -----------------------------------------------------------------------

// Why a fit cannot go into a pack; empty when it can.
std::vector<std::string> Refusals(FigureFit& fit, const FitOptions& options)
{
    PuzzleRecord record = RecordOfFit(fit);
    std::vector<std::string> why = RecordProblems(record);
    if (!why.empty())
        return why;
    if (PinHole(fit.score))
        why.push_back("closes in a pinhole of " + std::to_string(fit.score.smallestHole) + " quarter cells");
    if (fit.score.slits)
        why.push_back("leaves " + std::to_string(fit.score.slits) + " quarter cells as narrow slits");
    if (fit.score.steps && !options.jagged)
        why.push_back(std::to_string(fit.score.steps) + " jags in the outline (runs under three sides)");
    if (fit.openShare() > options.maxOpen + 1e-9)
        why.push_back("leaves " + Percent(fit.openShare()) + " of the sketch open, more than " +
                      Percent(options.maxOpen) + " (--max-open)");
    if (fit.added > options.maxAdded * fit.sketchArea + 1e-9)
        why.push_back("tiles reach " + std::to_string(fit.added) + " quarter cells beyond the sketch, more than " +
                      Percent(options.maxAdded) + " of it (--max-added)");
    if (!why.empty())
        return why;
    fit.analysis = AnalysePuzzle(record, kSolveLimit);
    if (fit.analysis.refusedLookalikes)
        why.push_back("the solved check refuses " + std::to_string(fit.analysis.refusedLookalikes) +
                      " of its look-alike layouts");
    if (fit.analysis.acceptedOthers)
        why.push_back("the solved check accepts " + std::to_string(fit.analysis.acceptedOthers) +
                      " layouts that look different");
    return why;
}

// What stands in the way of a sketch none of whose fits was accepted.
std::vector<std::string> Obstacles(const Sketch& sketch, const std::vector<Silhouette>& rasters)
{
    std::vector<std::string> why;
    int low = rasters.front().area(), high = low;
    for (const Silhouette& r : rasters) {
        low = std::min(low, r.area());
        high = std::max(high, r.area());
    }
    std::string area = low == high ? std::to_string(low) : std::to_string(low) + " to " + std::to_string(high);
    why.push_back("the sketch covers " + area + " quarter cells" +
                  (sketch.rows.empty() && sketch.pieces.empty() ? " at the scales tried" : "") + "; the seven tiles cover " +
                  std::to_string(kTileAreaLow) + " to " + std::to_string(kTileAreaHigh));
    for (int kind = 0; kind < kKindCount; ++kind) {
        bool somewhere = false;
        for (const Silhouette& r : rasters) {
            FitFrame frame = FrameOf(r);
            for (const FitCandidate& c : FitCandidates(r, frame, kind))
                somewhere = somewhere || c.outside == 0;
        }
        if (!somewhere)
            why.push_back("no placement of the " + std::string(kKindNames[kind]) + " lies wholly inside the sketch");
    }
    return why;
}

// ---- tidying a fit -------------------------------------------------------------------------

// A near fit's tiles, each free to move a cell either way, placed one by one in an order where
// each touches one placed before: every layout met that lies clear at grid units 7 and 1, joins
// up and has a clean outline is kept, the likeliest to the sketch for each silhouette.
class Tidier {
public:
    Tidier(const FigureFit& fit, long mostLeaves) : fit_(fit), mostLeaves_(mostLeaves)
    {
        w_ = fit.sketch.width;
        h_ = fit.sketch.height;
        quarters_.assign(static_cast<std::size_t>(w_ * h_ * 4), -1);
        pixels_.assign(static_cast<std::size_t>((w_ + 2) * (h_ + 2)), -1);
        for (int t : TouchOrder(fit.layout)) {
            const Placement& p = fit.layout[static_cast<std::size_t>(t)];
            std::vector<Placement> near;
            for (int d = 0; d <= 2; ++d) // nearest first
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        if (std::abs(dx) + std::abs(dy) == d)
                            near.push_back({p.kind, p.image, p.x + dx, p.y + dy});
            choices_.push_back(std::move(near));
        }
    }

    std::vector<FigureFit> run()
    {
        place(0);
        std::vector<FigureFit> out;
        for (auto& [key, found] : found_)
            out.push_back(std::move(found));
        return out;
    }

private:
    // Tiles in an order where each lies within a cell of one before it, the first large one first.
    static std::vector<int> TouchOrder(const Layout& layout)
    {
        auto near = [&](const Placement& a, const Placement& b) {
            const Piece& pa = PieceAt(7, a.kind, a.image);
            const Piece& pb = PieceAt(7, b.kind, b.image);
            return a.x <= b.x + pb.width + 1 && b.x <= a.x + pa.width + 1 && a.y <= b.y + pb.height + 1 &&
                   b.y <= a.y + pa.height + 1;
        };
        std::vector<int> order;
        std::vector<bool> used(layout.size(), false);
        auto first = std::ranges::find_if(layout, [](const Placement& p) { return p.kind == kLargeKind; });
        order.push_back(first == layout.end() ? 0 : static_cast<int>(first - layout.begin()));
        used[static_cast<std::size_t>(order[0])] = true;
        while (order.size() < layout.size()) {
            int pick = -1;
            for (std::size_t i = 0; i < layout.size() && pick < 0; ++i)
                if (!used[i] && std::ranges::any_of(order, [&](int j) { return near(layout[i], layout[static_cast<std::size_t>(j)]); }))
                    pick = static_cast<int>(i);
            if (pick < 0)
                pick = static_cast<int>(std::ranges::find(used, false) - used.begin());
            used[static_cast<std::size_t>(pick)] = true;
            order.push_back(pick);
        }
        return order;
    }

    // Puts a tile down when it lies in the frame clear of the others; counts its contact sides.
    bool put(const Placement& p, int id, int& contact)
    {
        const Piece& piece = PieceAt(7, p.kind, p.image);
        if (p.x < 0 || p.y < 0 || p.x + piece.width > w_ || p.y + piece.height > h_)
            return false;
        for (const CellPart& q : piece.parts)
            if (quarterAt(p.x + q.cx, p.y + q.cy, q.part) >= 0)
                return false;
        for (const CellPart& q : PieceAt(1, p.kind, p.image).parts)
            if (pixels_[static_cast<std::size_t>((p.y + q.cy) * (w_ + 2) + p.x + q.cx)] >= 0)
                return false;
        static constexpr int kAcross[4][3] = {{0, -1, kBottomQuarter}, {1, 0, kLeftQuarter}, {0, 1, kTopQuarter}, {-1, 0, kRightQuarter}};
        contact = 0;
        for (const CellPart& q : piece.parts) {
            int x = p.x + q.cx, y = p.y + q.cy;
            contact += quarterAt(x + kAcross[q.part][0], y + kAcross[q.part][1], kAcross[q.part][2]) >= 0 ? 1 : 0;
        }
        mark(p, id);
        return true;
    }

    void mark(const Placement& p, int id)
    {
        for (const CellPart& q : PieceAt(7, p.kind, p.image).parts)
            quarters_[static_cast<std::size_t>(((p.y + q.cy) * w_ + p.x + q.cx) * 4 + q.part)] = static_cast<std::int8_t>(id);
        for (const CellPart& q : PieceAt(1, p.kind, p.image).parts)
            pixels_[static_cast<std::size_t>((p.y + q.cy) * (w_ + 2) + p.x + q.cx)] = static_cast<std::int8_t>(id);
    }

    int quarterAt(int x, int y, int part) const
    {
        if (x < 0 || y < 0 || x >= w_ || y >= h_)
            return -1;
        return quarters_[static_cast<std::size_t>((y * w_ + x) * 4 + part)];
    }

    void place(std::size_t i)
    {
        if (leaves_ >= mostLeaves_)
            return;
        if (i == choices_.size()) {
            ++leaves_;
            keep();
            return;
        }
        for (const Placement& p : choices_[i]) {
            int contact = 0;
            if (!put(p, static_cast<int>(i), contact))
                continue;
            if (i == 0 || contact >= 2) {
                layout_.push_back(p);
                place(i + 1);
                layout_.pop_back();
            }
            mark(p, -1);
        }
    }

    void keep()
    {
        FigureFit fit = fit_;
        fit.layout = layout_;
        fit.score = ScoreSilhouette(SilhouetteOf(RecordOfFit(fit)));
        if (fit.score.steps || fit.score.slits || PinHole(fit.score))
            return;
        int inside = 0, outside = 0;
        for (const Placement& p : layout_)
            for (const CellPart& q : PieceAt(7, p.kind, p.image).parts)
                ((fit.sketch.at(p.x + q.cx, p.y + q.cy) >> q.part) & 1 ? inside : outside) += 1;
        fit.open = fit.sketchArea - inside;
        fit.added = outside;
        std::string key = CanonicalKey(SilhouetteOf(RecordOfFit(fit)));
        auto known = found_.find(key);
        if (known == found_.end() || BaseCost(fit) < BaseCost(known->second))
            found_[key] = std::move(fit);
    }

    const FigureFit& fit_;
    long mostLeaves_;
    int w_ = 0, h_ = 0;
    std::vector<std::int8_t> quarters_, pixels_;
    std::vector<std::vector<Placement>> choices_;
    Layout layout_;
    long leaves_ = 0;
    std::map<std::string, FigureFit> found_;
};

} // namespace

// ---- Sketch text -----------------------------------------------------------------------------

bool PieceOfName(const std::string& name, int& kind, int& image)
{
    static const std::map<std::string, int> kTriangles = {
        {"up", 0}, {"tl", 1}, {"left", 2}, {"bl", 3}, {"down", 4}, {"br", 5}, {"right", 6}, {"tr", 7},
    };
    static const std::map<std::string, int> kParallelograms = {
        {"b\\", 0}, {"a/", 1}, {"b|/", 2}, {"a|\\", 3}, {"b/", 4}, {"a\\", 5}, {"b|\\", 6}, {"a|/", 7},
    };
    if (name == "q" || name == "d") {
        kind = kSquareKind;
        image = name == "q" ? 0 : 1;
        return true;
    }
    if (name.size() < 3 || name[1] != '-')
        return false;
    std::string shape = name.substr(2);
    const auto& table = name[0] == 'p' ? kParallelograms : kTriangles;
    auto found = table.find(shape);
    static const std::map<char, int> kKinds = {{'s', kSmallKind}, {'m', kMediumKind}, {'l', kLargeKind}, {'p', kParallelogramKind}};
    auto k = kKinds.find(name[0]);
    if (found == table.end() || k == kKinds.end())
        return false;
    kind = k->second;
    image = found->second;
    return true;
}

int SketchCellBits(char c)
{
    static const std::map<char, int> kBits = {
        {'.', 0}, {'#', 15}, {'q', 9}, {'p', 3}, {'b', 12}, {'d', 6},
        {'v', 1}, {'<', 2},  {'^', 4}, {'>', 8},
    };
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    auto found = kBits.find(c);
    return found == kBits.end() ? -1 : found->second;
}

std::vector<Sketch> ParseSketches(const std::string& text, const std::string& folder,
                                  std::vector<std::string>& errors)
{
    std::vector<Sketch> sketches;
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        if (line.empty() || line[0] == ';')
            continue;
        if (line.rfind("sketch ", 0) == 0) {
            sketches.push_back({});
            sketches.back().name = line.substr(7);
            sketches.back().line = number;
            continue;
        }
        if (sketches.empty() || !ParseSketchLine(line, folder, sketches.back()))
            errors.push_back("line " + std::to_string(number) + ": not a sketch line: \"" + line + "\"");
    }
    for (const Sketch& s : sketches) {
        int forms = (s.rows.empty() ? 0 : 1) + (s.polygons.empty() ? 0 : 1) + (s.picture.empty() ? 0 : 1) +
                    (s.pieces.empty() ? 0 : 1);
        bool shortPolygon = std::ranges::any_of(s.polygons, [](const SketchPolygon& p) { return p.points.size() < 3; });
        if (forms != 1 || shortPolygon)
            errors.push_back("line " + std::to_string(s.line) + ": sketch \"" + s.name +
                             "\" needs rows, polygons of three or more points, a picture or pieces, and only one of them");
    }
    return sketches;
}

// ---- Drawings --------------------------------------------------------------------------------

bool SketchDrawing::inside(double x, double y) const
{
    if (!ink.empty()) {
        int px = static_cast<int>(std::floor(x)), py = static_cast<int>(std::floor(y));
        return px >= 0 && py >= 0 && px < pictureWidth && py < pictureHeight &&
               ink[static_cast<std::size_t>(py * pictureWidth + px)] != 0;
    }
    bool in = false;
    for (const SketchPolygon& p : polygons)
        if (!p.cut && InsidePolygon(p, x, y))
            in = true;
    for (const SketchPolygon& p : polygons)
        if (in && p.cut && InsidePolygon(p, x, y))
            in = false;
    return in;
}

bool DrawingOfSketch(const Sketch& sketch, SketchDrawing& drawing, std::string& error)
{
    drawing = {};
    if (!sketch.picture.empty()) {
        if (!LoadPicture(sketch.picture, drawing, error))
            return false;
    } else if (!sketch.polygons.empty()) {
        drawing.polygons = sketch.polygons;
        // Units become half or quarter cells so that scale 1 is the sketch as drawn.
        for (SketchPolygon& p : drawing.polygons)
            for (auto& point : p.points)
                for (double& v : point)
                    v *= sketch.unitCells;
    } else {
        error = "sketch \"" + sketch.name + "\" draws no polygon or picture";
        return false;
    }
    MeasureDrawing(drawing);
    if (drawing.area <= 0) {
        error = "sketch \"" + sketch.name + "\" covers nothing";
        return false;
    }
    return true;
}

Silhouette RasterOfDrawing(const SketchDrawing& drawing, double cellsPerUnit, double dx, double dy)
{
    // Polygons go to the grid first, corners on grid points, so their edges fall on quarter sides.
    SketchDrawing cells;
    const SketchDrawing* sampled = &drawing;
    double scale = cellsPerUnit, left = drawing.left, top = drawing.top;
    if (drawing.ink.empty()) {
        SnappedLines snapped;
        for (const SketchPolygon& p : drawing.polygons) {
            std::vector<Point> moved;
            for (const Point& point : p.points)
                moved.push_back({(point[0] - left) * scale + dx, (point[1] - top) * scale + dy});
            cells.polygons.push_back({p.cut, SnappedPolygon(moved, snapped)});
        }
        sampled = &cells;
        scale = 1;
        left = top = dx = dy = 0;
    }
    Silhouette shape;
    shape.width = static_cast<int>(std::ceil((drawing.right - drawing.left) * cellsPerUnit)) + 3;
    shape.height = static_cast<int>(std::ceil((drawing.bottom - drawing.top) * cellsPerUnit)) + 3;
    if (shape.width > 200 || shape.height > 200 || shape.width < 1 || shape.height < 1)
        return {};
    shape.cells.assign(static_cast<std::size_t>(shape.width * shape.height), 0);
    for (int y = 0; y < shape.height; ++y)
        for (int x = 0; x < shape.width; ++x)
            for (int part = 0; part < 4; ++part) {
                int in = 0;
                for (const auto& sample : kQuarterSamples) {
                    auto [sx, sy] = TurnedSample(part, sample);
                    in += sampled->inside(left + (x + sx - dx) / scale, top + (y + sy - dy) / scale) ? 1 : 0;
                }
                if (in >= 4)
                    shape.add(x, y, part);
            }
    return Trimmed(shape);
}

Silhouette SilhouetteOfPieces(const Layout& pieces)
{
    int left = 0, top = 0;
    for (const Placement& p : pieces) {
        left = std::min(left, p.x);
        top = std::min(top, p.y);
    }
    Silhouette shape;
    for (const Placement& p : pieces) {
        const Piece& piece = PieceAt(7, p.kind, p.image);
        shape.width = std::max(shape.width, p.x - left + piece.width);
        shape.height = std::max(shape.height, p.y - top + piece.height);
    }
    shape.cells.assign(static_cast<std::size_t>(shape.width * shape.height), 0);
    for (const Placement& p : pieces)
        for (const CellPart& q : PieceAt(7, p.kind, p.image).parts)
            shape.add(p.x - left + q.cx, p.y - top + q.cy, q.part);
    return shape;
}

Silhouette SilhouetteOfRows(const std::vector<std::string>& rows)
{
    Silhouette shape;
    shape.height = static_cast<int>(rows.size());
    for (const std::string& row : rows)
        shape.width = std::max(shape.width, static_cast<int>(row.size()));
    shape.cells.assign(static_cast<std::size_t>(shape.width * shape.height), 0);
    for (int y = 0; y < shape.height; ++y)
        for (int x = 0; x < static_cast<int>(rows[static_cast<std::size_t>(y)].size()); ++x)
            shape.cells[static_cast<std::size_t>(y * shape.width + x)] =
                static_cast<std::uint8_t>(SketchCellBits(rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]));
    return shape;
}

// ---- Fits ------------------------------------------------------------------------------------

std::vector<SketchFit> FitSilhouette(const Silhouette& shape, int beamWidth)
{
    FitFrame frame = FrameOf(shape);
    std::vector<FitCandidate> candidates[kKindCount];
    for (int kind = 0; kind < kKindCount; ++kind)
        candidates[kind] = FitCandidates(shape, frame, kind);
    std::vector<BeamState> beam{BeamState{{},
                                          std::vector<std::uint8_t>(static_cast<std::size_t>(frame.width * frame.height * 4), 0),
                                          std::vector<std::uint8_t>(static_cast<std::size_t>(frame.pixelWidth * frame.pixelHeight), 0),
                                          0, 0}};
    for (int step = 0; step < 7 && !beam.empty(); ++step)
        beam = BeamStep(beam, candidates[kFitOrder[step]], step > 0 && kFitOrder[step - 1] == kFitOrder[step], beamWidth);
    std::vector<SketchFit> fits;
    std::set<std::vector<std::uint8_t>> seen; // one fit a silhouette
    for (const BeamState& state : beam) {
        if (!seen.insert(state.quarters).second)
            continue;
        SketchFit fit{{}, state.inside, state.outside};
        for (int step = 0; step < 7; ++step)
            fit.layout.push_back(candidates[kFitOrder[step]][static_cast<std::size_t>(state.chosen[static_cast<std::size_t>(step)])].placement);
        fits.push_back(std::move(fit));
    }
    return fits;
}

PuzzleRecord RecordOfFit(const FigureFit& fit)
{
    return Normalised(RecordOfLayout(fit.layout));
}

FigureDesign DesignFigure(const Sketch& sketch, const FitOptions& options, std::string& error)
{
    FigureDesign design;
    std::vector<Silhouette> rasters = RastersOf(sketch, error);
    if (rasters.empty())
        return design;
    std::vector<FigureFit> fits;
    for (const Silhouette& raster : rasters) {
        std::vector<Layout> exact = CoverAll(7, TargetOfSilhouette(raster), 20, true).layouts;
        for (Layout layout : exact) {
            for (Placement& p : layout) {
                p.x += kFitMargin;
                p.y += kFitMargin;
            }
            fits.push_back(MeasuredFit(raster, std::move(layout), raster.area(), 0));
        }
        if (!exact.empty())
            continue; // nothing near comes closer
        for (SketchFit& near : FitSilhouette(raster, options.beam))
            fits.push_back(MeasuredFit(raster, std::move(near.layout), near.covered, near.outside));
    }
    // Outlines are scored for the best few hundred only.
    constexpr std::size_t kMostScored = 600;
    std::ranges::stable_sort(fits, [](const FigureFit& a, const FigureFit& b) { return BaseCost(a) < BaseCost(b); });
    if (fits.size() > kMostScored)
        fits.resize(kMostScored);
    for (FigureFit& fit : fits)
        fit.score = ScoreSilhouette(SilhouetteOf(RecordOfFit(fit)));
    std::ranges::stable_sort(fits, [](const FigureFit& a, const FigureFit& b) { return FitCost(a) < FitCost(b); });
    // The best few near fits, each with its own silhouette, are tidied into clean layouts.
    const std::size_t kTidied = static_cast<std::size_t>(4 + 2 * options.effort);
    std::set<std::string> tidiedKeys;
    std::vector<FigureFit> polished;
    for (const FigureFit& fit : fits) {
        if (tidiedKeys.size() >= kTidied)
            break;
        if (fit.open == 0 && fit.added == 0)
            continue; // exact already
        if (!tidiedKeys.insert(CanonicalKey(SilhouetteOf(RecordOfFit(fit)))).second)
            continue;
        for (FigureFit& tidy : Tidier(fit, 20000L * options.effort).run())
            polished.push_back(std::move(tidy));
    }
    fits.insert(fits.begin(), polished.begin(), polished.end());
    std::ranges::stable_sort(fits, [](const FigureFit& a, const FigureFit& b) { return FitCost(a) < FitCost(b); });
    std::set<std::string> seen; // silhouettes already judged
    constexpr int kMostJudged = 200;
    int judged = 0;
    for (FigureFit& fit : fits) {
        if (static_cast<int>(design.accepted.size()) >= options.fits || judged >= kMostJudged)
            break;
        if (!seen.insert(CanonicalKey(SilhouetteOf(RecordOfFit(fit)))).second)
            continue;
        ++judged;
        fit.refusals = Refusals(fit, options);
        if (fit.refusals.empty())
            design.accepted.push_back(fit);
        else if (design.nearest.size() < 3 && design.accepted.empty())
            design.nearest.push_back(fit);
    }
    if (design.accepted.empty())
        design.why = Obstacles(sketch, rasters);
    return design;
}

std::string DescribeFit(const FigureFit& fit)
{
    std::ostringstream text;
    text << "open " << Percent(fit.openShare()) << " (" << fit.open << " of " << fit.sketchArea
         << "), added " << fit.added << ", jags " << fit.score.steps << ", points " << fit.score.tips;
    if (fit.refusals.empty() && fit.analysis.layouts > 0)
        text << ", " << fit.analysis.layouts << (fit.analysis.layoutsCapped ? "+" : "") << " layouts, grade "
             << fit.analysis.grade;
    for (const std::string& r : fit.refusals)
        text << "; " << r;
    return text.str();
}

DesignPuzzle PuzzleOfFit(const Sketch& sketch, const FigureFit& fit)
{
    DesignPuzzle puzzle{sketch.name, {"kind: designed"}, RecordOfFit(fit)};
    if (!fit.refusals.empty()) {
        for (const std::string& r : fit.refusals)
            puzzle.notes.push_back("refused: " + r);
        return puzzle;
    }
    puzzle.notes.insert(puzzle.notes.end(), sketch.notes.begin(), sketch.notes.end());
    if (fit.open != 0 || fit.added != 0)
        puzzle.notes.push_back("fit: " + std::to_string(fit.open) + " of " + std::to_string(fit.sketchArea) +
                               " sketch quarters open (" + Percent(fit.openShare()) + "), " +
                               std::to_string(fit.added) + " added");
    puzzle.notes.push_back("grade: " + std::to_string(fit.analysis.grade));
    puzzle.notes.push_back("layouts: " + std::to_string(fit.analysis.layouts) +
                           (fit.analysis.layoutsCapped ? "+" : ""));
    return puzzle;
}

std::vector<DesignPuzzle> FiguresOfSketches(const std::string& text, std::vector<std::string>& errors)
{
    std::vector<DesignPuzzle> out;
    for (const Sketch& sketch : ParseSketches(text, ".", errors)) {
        FitOptions options;
        options.fits = sketch.pick;
        std::string error;
        FigureDesign design = DesignFigure(sketch, options, error);
        if (static_cast<int>(design.accepted.size()) < sketch.pick) {
            errors.push_back("sketch \"" + sketch.name + "\": " +
                             (error.empty() ? "no fit to pick (" + std::to_string(design.accepted.size()) + " accepted)" : error));
            continue;
        }
        out.push_back(PuzzleOfFit(sketch, design.accepted[static_cast<std::size_t>(sketch.pick - 1)]));
    }
    return out;
}
