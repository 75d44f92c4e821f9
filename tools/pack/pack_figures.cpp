// Making puzzles: convex figures, grown figures, and the order of a pack from easy to hard.
#include "pack/pack_figures.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "resources/tile_masks.h"

namespace {

// ---- quarter-cell neighbourhood ----------------------------------------------------------

// A quarter and one of its three neighbours, with the line their shared side lies on.
struct Side {
    int x;
    int y;
    int part;
    int line; // kind * 1000 + offset: 0 horizontal, 1 vertical, 2 "\" diagonal, 3 "/" diagonal
};

// The three neighbours of quarter `part` in cell (x, y), each with its shared side's line.
std::array<Side, 3> SidesOf(int x, int y, int part)
{
    auto lineKey = [](int kind, int offset) { return kind * 1000 + offset + 500; };
    switch (part) {
    case kTopQuarter:
        return {{{x, y - 1, kBottomQuarter, lineKey(0, y)},
                 {x, y, kRightQuarter, lineKey(3, x + y + 1)},
                 {x, y, kLeftQuarter, lineKey(2, x - y)}}};
    case kRightQuarter:
        return {{{x + 1, y, kLeftQuarter, lineKey(1, x + 1)},
                 {x, y, kTopQuarter, lineKey(3, x + y + 1)},
                 {x, y, kBottomQuarter, lineKey(2, x - y)}}};
    case kBottomQuarter:
        return {{{x, y + 1, kTopQuarter, lineKey(0, y + 1)},
                 {x, y, kRightQuarter, lineKey(2, x - y)},
                 {x, y, kLeftQuarter, lineKey(3, x + y + 1)}}};
    default:
        return {{{x - 1, y, kRightQuarter, lineKey(1, x)},
                 {x, y, kTopQuarter, lineKey(2, x - y)},
                 {x, y, kBottomQuarter, lineKey(3, x + y + 1)}}};
    }
}

bool Filled(const Silhouette& shape, int x, int y, int part)
{
    return (shape.at(x, y) >> part) & 1;
}

int FilledNeighbours(const Silhouette& shape, int x, int y, int part)
{
    int count = 0;
    for (const Side& s : SidesOf(x, y, part))
        count += Filled(shape, s.x, s.y, s.part) ? 1 : 0;
    return count;
}

// Empty quarters reachable from outside the bounding box (which is padded by one cell).
std::vector<std::uint8_t> OutsideQuarters(const Silhouette& shape)
{
    int w = shape.width + 2, h = shape.height + 2;
    std::vector<std::uint8_t> outside(static_cast<std::size_t>(w * h * 4), 0);
    auto index = [&](int x, int y, int part) { return static_cast<std::size_t>(((y + 1) * w + x + 1) * 4 + part); };
    std::vector<std::array<int, 3>> stack{{-1, -1, 0}};
    outside[index(-1, -1, 0)] = 1;
    while (!stack.empty()) {
        auto [x, y, part] = stack.back();
        stack.pop_back();
        for (const Side& s : SidesOf(x, y, part)) {
            if (s.x < -1 || s.y < -1 || s.x > shape.width || s.y > shape.height)
                continue;
            if (Filled(shape, s.x, s.y, s.part) || outside[index(s.x, s.y, s.part)])
                continue;
            outside[index(s.x, s.y, s.part)] = 1;
            stack.push_back({s.x, s.y, s.part});
        }
    }
    return outside;
}

// Quarters in the smallest region of empty quarters the figure closes in; 0 when there is none.
int SmallestHole(const Silhouette& shape, std::vector<std::uint8_t> outside)
{
    int w = shape.width + 2;
    auto index = [&](int x, int y, int part) { return static_cast<std::size_t>(((y + 1) * w + x + 1) * 4 + part); };
    int smallest = 0;
    for (int y = 0; y < shape.height; ++y)
        for (int x = 0; x < shape.width; ++x)
            for (int part = 0; part < 4; ++part) {
                if (Filled(shape, x, y, part) || outside[index(x, y, part)])
                    continue;
                int size = 0; // flood the hole, marking it as seen through `outside`
                std::vector<std::array<int, 3>> stack{{x, y, part}};
                outside[index(x, y, part)] = 1;
                while (!stack.empty()) {
                    auto [hx, hy, hp] = stack.back();
                    stack.pop_back();
                    ++size;
                    for (const Side& s : SidesOf(hx, hy, hp))
                        if (!Filled(shape, s.x, s.y, s.part) && !outside[index(s.x, s.y, s.part)]) {
                            outside[index(s.x, s.y, s.part)] = 1;
                            stack.push_back({s.x, s.y, s.part});
                        }
                }
                smallest = smallest == 0 ? size : std::min(smallest, size);
            }
    return smallest;
}

double HullArea(const Silhouette& shape)
{
    // Corners and centres of the filled quarters, in half-cell units.
    std::vector<std::pair<long, long>> points;
    static constexpr int kCorner[4][2][2] = {{{0, 0}, {2, 0}}, {{2, 0}, {2, 2}}, {{2, 2}, {0, 2}}, {{0, 2}, {0, 0}}};
    for (int y = 0; y < shape.height; ++y)
        for (int x = 0; x < shape.width; ++x)
            for (int part = 0; part < 4; ++part)
                if (Filled(shape, x, y, part))
                    for (const auto& c : kCorner[part])
                        points.push_back({2 * x + c[0], 2 * y + c[1]});
    std::ranges::sort(points);
    points.erase(std::unique(points.begin(), points.end()), points.end());
    if (points.size() < 3)
        return 0;
    auto cross = [](auto o, auto a, auto b) {
        return (a.first - o.first) * (b.second - o.second) - (a.second - o.second) * (b.first - o.first);
    };
    std::vector<std::pair<long, long>> hull(points.size() * 2);
    std::size_t k = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        while (k >= 2 && cross(hull[k - 2], hull[k - 1], points[i]) <= 0)
            --k;
        hull[k++] = points[i];
    }
    for (std::size_t i = points.size() - 1, t = k + 1; i > 0; --i) {
        while (k >= t && cross(hull[k - 2], hull[k - 1], points[i - 1]) <= 0)
            --k;
        hull[k++] = points[i - 1];
    }
    long twice = 0;
    for (std::size_t i = 0; i + 1 < k; ++i)
        twice += hull[i].first * hull[i + 1].second - hull[i + 1].first * hull[i].second;
    // Half-cell units: a cell is 4 square units and holds 4 quarters, so the shoelace area
    // counts quarters directly.
    return std::abs(static_cast<double>(twice)) / 2.0;
}

double MirrorShare(const Silhouette& shape)
{
    Silhouette lr = Transformed(shape, 4);
    Silhouette ud = Transformed(Transformed(shape, 6), 0); // mirrored then half turned
    int keptLr = 0, keptUd = 0;
    for (int y = 0; y < shape.height; ++y)
        for (int x = 0; x < shape.width; ++x) {
            keptLr += std::popcount(static_cast<unsigned>(shape.at(x, y) & lr.at(x, y)));
            keptUd += std::popcount(static_cast<unsigned>(shape.at(x, y) & ud.at(x, y)));
        }
    return static_cast<double>(std::max(keptLr, keptUd)) / std::max(1, shape.area());
}

// Lengths of the straight runs of the outline, in sides (a cell edge or half a diagonal).
std::vector<int> OutlineRuns(const Silhouette& shape)
{
    // Sides keyed by their line and by which side of it the figure lies on; positions along it.
    std::map<std::pair<int, int>, std::vector<int>> sides;
    for (int y = 0; y < shape.height; ++y)
        for (int x = 0; x < shape.width; ++x)
            for (int part = 0; part < 4; ++part) {
                if (!Filled(shape, x, y, part))
                    continue;
                for (const Side& s : SidesOf(x, y, part)) {
                    if (Filled(shape, s.x, s.y, s.part))
                        continue;
                    int kind = s.line / 1000;
                    int along = kind == 0 ? x : kind == 1 ? y : 2 * x;
                    if ((kind == 2 && (part == kRightQuarter || s.part == kRightQuarter)) ||
                        (kind == 3 && (part == kTopQuarter || s.part == kTopQuarter)))
                        along += 1; // the half of the diagonal nearer the cell's right side
                    bool upper = part == kTopQuarter || part == kRightQuarter;
                    if (kind == 3)
                        upper = part == kTopQuarter || part == kLeftQuarter;
                    if (kind == 1)
                        upper = part == kLeftQuarter;
                    sides[{s.line, upper ? 1 : 0}].push_back(along);
                }
            }
    std::vector<int> runs;
    for (auto& [key, positions] : sides) {
        std::ranges::sort(positions);
        int length = 1;
        for (std::size_t i = 1; i <= positions.size(); ++i) {
            if (i < positions.size() && positions[i] == positions[i - 1] + 1) {
                ++length;
                continue;
            }
            runs.push_back(length);
            length = 1;
        }
    }
    return runs;
}

// ---- growing ---------------------------------------------------------------------------

constexpr int kCanvas = 44;      // cells a figure grows in
constexpr int kPixelCanvas = 64; // grid-unit-1 pixels that hold it

struct GrowState {
    QuarterGrid grid;
    std::vector<std::uint8_t> pixels; // unit-1 occupancy, so tiles never overlap there either
    Layout layout;
    int left = kCanvas, top = kCanvas, right = 0, bottom = 0;
};

bool FitsFree(const GrowState& s, const Piece& quarters, const Piece& pixels, int x, int y)
{
    if (x < 0 || y < 0 || x + quarters.width > kCanvas || y + quarters.height > kCanvas)
        return false;
    for (const CellPart& p : quarters.parts)
        if (s.grid.at(x + p.cx, y + p.cy, p.part) >= 0)
            return false;
    for (const CellPart& p : pixels.parts)
        if (s.pixels[static_cast<std::size_t>((y + p.cy) * kPixelCanvas + x + p.cx)])
            return false;
    return true;
}

int ContactCount(const GrowState& s, const Piece& piece, int x, int y)
{
    int contact = 0;
    for (const CellPart& p : piece.parts)
        for (const Side& side : SidesOf(x + p.cx, y + p.cy, p.part))
            contact += s.grid.at(side.x, side.y, side.part) >= 0 ? 1 : 0;
    return contact;
}

void Put(GrowState& s, const Placement& placement)
{
    const Piece& quarters = PieceAt(7, placement.kind, placement.image);
    int tile = static_cast<int>(s.layout.size());
    for (const CellPart& p : quarters.parts)
        s.grid.owner[static_cast<std::size_t>(((placement.y + p.cy) * s.grid.width + placement.x + p.cx) * 4 + p.part)] = tile;
    for (const CellPart& p : PieceAt(1, placement.kind, placement.image).parts)
        s.pixels[static_cast<std::size_t>((placement.y + p.cy) * kPixelCanvas + placement.x + p.cx)] = 1;
    s.left = std::min(s.left, placement.x);
    s.top = std::min(s.top, placement.y);
    s.right = std::max(s.right, placement.x + quarters.width);
    s.bottom = std::max(s.bottom, placement.y + quarters.height);
    s.layout.push_back(placement);
}

struct Candidate {
    Placement placement;
    double weight;
};

std::vector<Candidate> CandidatesFor(const GrowState& s, int kind)
{
    std::vector<Candidate> out;
    for (int image = 0; image < kKindImageCount[kind]; ++image) {
        const Piece& quarters = PieceAt(7, kind, image);
        const Piece& pixels = PieceAt(1, kind, image);
        for (int y = s.top - quarters.height; y <= s.bottom; ++y)
            for (int x = s.left - quarters.width; x <= s.right; ++x) {
                if (!FitsFree(s, quarters, pixels, x, y) || !TouchesAlongEdge(s.grid, s.layout, quarters, x, y))
                    continue;
                double contact = ContactCount(s, quarters, x, y);
                out.push_back({{kind, image, x, y}, contact * contact});
            }
    }
    return out;
}

PuzzleRecord NormalisedRecord(const Layout& layout)
{
    return Normalised(RecordOfLayout(layout));
}

std::string Fixed(double value)
{
    std::ostringstream out;
    out.setf(std::ios::fixed);
    out.precision(2);
    out << value;
    return out.str();
}

// ---- convex figures ------------------------------------------------------------------------

// Every total area (in quarters) the seven tiles can have, each tile in any of its images.
std::set<int> AchievableAreas()
{
    std::set<int> sums{0};
    for (int tile = 0; tile < 7; ++tile) {
        std::set<int> next;
        int kind = kTileKind[tile];
        for (int sum : sums)
            for (int image = 0; image < kKindImageCount[kind]; ++image)
                next.insert(sum + static_cast<int>(PieceAt(7, kind, image).parts.size()));
        sums = std::move(next);
    }
    return sums;
}

} // namespace

Silhouette CutRectangle(int w, int h, const int (&cut)[4])
{
    Silhouette shape{w, h, std::vector<std::uint8_t>(static_cast<std::size_t>(w * h), 0)};
    static constexpr int kCentroid[4][2] = {{3, 1}, {5, 3}, {3, 5}, {1, 3}}; // sixths of a cell
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int part = 0; part < 4; ++part) {
                int px = 6 * x + kCentroid[part][0], py = 6 * y + kCentroid[part][1];
                int W = 6 * w, H = 6 * h;
                if (px + py >= 6 * cut[0] && (W - px) + py >= 6 * cut[1] &&
                    (W - px) + (H - py) >= 6 * cut[2] && px + (H - py) >= 6 * cut[3])
                    shape.add(x, y, part);
            }
    return shape;
}

// ---- Scoring -------------------------------------------------------------------------------

FigureScore ScoreSilhouette(const Silhouette& input)
{
    Silhouette shape = Trimmed(input);
    FigureScore score;
    int area = shape.area();
    if (area == 0)
        return score;
    score.convexity = area / std::max(1.0, HullArea(shape));
    score.compactness = area / (4.0 * shape.width * shape.height);
    score.symmetry = MirrorShare(shape);
    std::vector<std::uint8_t> outside = OutsideQuarters(shape);
    for (int y = 0; y < shape.height; ++y)
        for (int x = 0; x < shape.width; ++x)
            for (int part = 0; part < 4; ++part) {
                int neighbours = FilledNeighbours(shape, x, y, part);
                if (Filled(shape, x, y, part))
                    score.tips += neighbours <= 1 ? 1 : 0;
                else if (!outside[static_cast<std::size_t>(((y + 1) * (shape.width + 2) + x + 1) * 4 + part)])
                    ++score.holes;
                else if (neighbours >= 2)
                    ++score.slits;
            }
    for (int run : OutlineRuns(shape)) {
        ++score.edges;
        score.steps += run < 3 ? 1 : 0;
    }
    score.smallestHole = SmallestHole(shape, outside);
    score.total = 2.0 * score.convexity + 1.0 * score.symmetry + 1.0 * score.compactness -
                  0.5 * score.holes - 0.3 * score.slits - 0.05 * score.tips - 0.25 * score.steps -
                  0.02 * score.edges;
    return score;
}

int QuarterGrid::at(int x, int y, int part) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return -1;
    return owner[static_cast<std::size_t>((y * width + x) * 4 + part)];
}

const std::vector<std::vector<CellPart>>& OutlineEdges(const Piece& piece)
{
    static std::map<std::pair<int, int>, std::vector<std::vector<CellPart>>> made;
    auto [it, fresh] = made.try_emplace({piece.kind, piece.image});
    if (!fresh)
        return it->second;
    std::map<int, std::vector<CellPart>> byLine; // a convex piece has one edge per line
    for (const CellPart& p : piece.parts)
        for (const Side& s : SidesOf(p.cx, p.cy, p.part))
            if (!piece.has(s.x, s.y, s.part))
                byLine[s.line].push_back({s.x, s.y, s.part});
    for (auto& [line, outside] : byLine)
        it->second.push_back(std::move(outside));
    return it->second;
}

bool TouchesAlongEdge(const QuarterGrid& grid, const Layout& placed, const Piece& piece, int x, int y)
{
    for (const std::vector<CellPart>& edge : OutlineEdges(piece))
        if (std::ranges::all_of(edge, [&](const CellPart& q) { return grid.at(x + q.cx, y + q.cy, q.part) >= 0; }))
            return true;
    for (const Placement& tile : placed)
        for (const std::vector<CellPart>& edge : OutlineEdges(PieceAt(7, tile.kind, tile.image)))
            if (std::ranges::all_of(edge, [&](const CellPart& q) {
                    return piece.has(tile.x + q.cx - x, tile.y + q.cy - y, q.part);
                }))
                return true;
    return false;
}

// ---- Makers --------------------------------------------------------------------------------

std::vector<DesignPuzzle> ConvexFigures(long limit)
{
    std::set<int> areas = AchievableAreas();
    int low = *areas.begin(), high = *areas.rbegin();
    std::set<std::string> seen;
    std::vector<DesignPuzzle> found;
    for (int w = 1; w <= kCheckWidth - 1; ++w)
        for (int h = w; h <= kCheckHeight - 2; ++h) {
            int most = std::min(w, h);
            for (int a = 0; a <= most; ++a)
                for (int b = 0; a + b <= w && b <= most; ++b)
                    for (int c = 0; b + c <= h && c <= most; ++c)
                        for (int d = 0; c + d <= w && a + d <= h && d <= most; ++d) {
                            int area = 4 * w * h - 2 * (a * a + b * b + c * c + d * d);
                            if (area < low || area > high || !areas.count(area))
                                continue;
                            int cut[4] = {a, b, c, d};
                            Silhouette shape = CutRectangle(w, h, cut);
                            if (shape.area() != area || !seen.insert(CanonicalKey(shape)).second)
                                continue;
                            CoverTarget target = TargetOfSilhouette(shape);
                            CoverResult first = CoverAll(7, target, 1, true);
                            if (first.count == 0)
                                continue;
                            PuzzleRecord record = NormalisedRecord(first.layouts[0]);
                            if (!RecordProblems(record).empty())
                                continue;
                            CoverResult all = CoverAll(7, target, limit, false);
                            std::string name = "convex " + std::to_string(w) + "x" + std::to_string(h) +
                                               " cut " + std::to_string(a) + " " + std::to_string(b) +
                                               " " + std::to_string(c) + " " + std::to_string(d);
                            found.push_back({name, {"kind: convex", "layouts: " + std::to_string(all.count) + (all.capped ? "+" : "")}, record});
                        }
        }
    return found;
}

Layout GrowOne(unsigned seed)
{
    std::mt19937 rng(seed);
    GrowState s;
    s.grid = {kCanvas, kCanvas, std::vector<int>(kCanvas * kCanvas * 4, -1)};
    s.pixels.assign(kPixelCanvas * kPixelCanvas, 0);
    std::vector<int> kinds(kTileKind, kTileKind + 7);
    std::shuffle(kinds.begin(), kinds.end(), rng);
    int firstImage = static_cast<int>(rng() % static_cast<unsigned>(kKindImageCount[kinds[0]]));
    Put(s, {kinds[0], firstImage, kCanvas / 2 - 4, kCanvas / 2 - 4});
    for (std::size_t i = 1; i < kinds.size(); ++i) {
        std::vector<Candidate> candidates = CandidatesFor(s, kinds[i]);
        if (candidates.empty())
            return {};
        std::vector<double> weights;
        for (const Candidate& c : candidates)
            weights.push_back(c.weight);
        std::discrete_distribution<std::size_t> pick(weights.begin(), weights.end());
        Put(s, candidates[pick(rng)].placement);
    }
    return s.layout;
}

std::vector<DesignPuzzle> GrowFigures(const GrowOptions& options)
{
    struct Grown {
        unsigned seed;
        PuzzleRecord record;
        FigureScore score;
    };
    std::map<std::string, Grown> best; // by silhouette, so no two figures look alike
    for (int t = 0; t < options.tries; ++t) {
        unsigned seed = options.seed * 100003u + static_cast<unsigned>(t);
        Layout layout = GrowOne(seed);
        if (layout.empty())
            continue;
        PuzzleRecord record = NormalisedRecord(layout);
        if (!RecordProblems(record).empty())
            continue;
        Silhouette shape = SilhouetteOf(record);
        FigureScore score = ScoreSilhouette(shape);
        auto [it, fresh] = best.emplace(CanonicalKey(shape), Grown{seed, record, score});
        if (!fresh && score.total > it->second.score.total)
            it->second = Grown{seed, record, score};
    }
    std::vector<Grown> ranked;
    for (const auto& [key, grown] : best)
        ranked.push_back(grown);
    std::ranges::sort(ranked, [](const Grown& a, const Grown& b) { return a.score.total > b.score.total; });
    std::vector<DesignPuzzle> out;
    for (const Grown& g : ranked) {
        if (static_cast<int>(out.size()) >= options.count)
            break;
        PuzzleAnalysis analysis = AnalysePuzzle(g.record, kSolveLimit);
        if (!analysis.fair())
            continue;
        out.push_back({"grown " + std::to_string(g.seed),
                       {"kind: grown", "seed: " + std::to_string(g.seed),
                        "score: " + Fixed(g.score.total) + " (convex " + Fixed(g.score.convexity) +
                            ", symmetric " + Fixed(g.score.symmetry) + ", compact " +
                            Fixed(g.score.compactness) + ", holes " + std::to_string(g.score.holes) +
                            ", slits " + std::to_string(g.score.slits) + ", tips " +
                            std::to_string(g.score.tips) + ", steps " + std::to_string(g.score.steps) +
                            ", edges " + std::to_string(g.score.edges) + ")"},
                       g.record});
    }
    return out;
}

std::vector<DesignPuzzle> GradedInOrder(const std::vector<DesignPuzzle>& puzzles, long limit)
{
    struct Graded {
        DesignPuzzle puzzle;
        PuzzleAnalysis analysis;
    };
    std::vector<Graded> graded;
    for (const DesignPuzzle& p : puzzles) {
        Graded g{p, AnalysePuzzle(p.record, limit)};
        std::erase_if(g.puzzle.notes, [](const std::string& n) {
            return n.rfind("grade:", 0) == 0 || n.rfind("layouts:", 0) == 0;
        });
        g.puzzle.notes.push_back("grade: " + std::to_string(g.analysis.grade));
        g.puzzle.notes.push_back("layouts: " + std::to_string(g.analysis.layouts) +
                                 (g.analysis.layoutsCapped ? "+" : ""));
        graded.push_back(std::move(g));
    }
    std::ranges::stable_sort(graded, [](const Graded& a, const Graded& b) {
        if (a.analysis.grade != b.analysis.grade)
            return a.analysis.grade < b.analysis.grade;
        return a.analysis.layouts > b.analysis.layouts;
    });
    std::vector<DesignPuzzle> out;
    for (Graded& g : graded)
        out.push_back(std::move(g.puzzle));
    return out;
}

