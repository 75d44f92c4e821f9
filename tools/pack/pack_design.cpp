// Pack authoring: tile shapes as cell pieces, source text, pack blocks, checks and silhouettes.
#include "pack/pack_design.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <sstream>

#include "resources/tile_masks.h"

namespace {

constexpr const char* kTileNames[7] = {
    "tile 0 (small triangle)", "tile 1 (small triangle)", "tile 2 (medium triangle)",
    "tile 3 (square)",         "tile 4 (parallelogram)",  "tile 5 (large triangle)",
    "tile 6 (large triangle)",
};

int FirstMaskNumber(int unit, int kind)
{
    static constexpr int kFirstTileOfKind[kKindCount] = {0, 2, 3, 4, 5};
    const MaskNumberRow* row = MaskNumbersForUnit(unit);
    return row ? MaskNumberOfTile(*row, kFirstTileOfKind[kind]) : -1;
}

// Pixel counts of the four quarters of a 7 x 7 block.
std::array<int, 4> QuarterSizes()
{
    std::array<int, 4> sizes{};
    for (int ly = 1; ly <= 7; ++ly)
        for (int lx = 1; lx <= 7; ++lx)
            ++sizes[static_cast<std::size_t>(QuarterOfPixel(lx, ly))];
    return sizes;
}

void SortParts(Piece& piece)
{
    std::ranges::sort(piece.parts, [](const CellPart& a, const CellPart& b) {
        return std::tie(a.cy, a.cx, a.part) < std::tie(b.cy, b.cx, b.part);
    });
}

// Quarter cells of a unit-7 mask; `exact` records whether each quarter touched is whole.
Piece QuarterPiece(const plat::Bitmap& mask)
{
    Piece piece;
    std::map<std::tuple<int, int, int>, int> pixelCounts;
    for (int my = 1; my < mask.height(); ++my)
        for (int mx = 1; mx < mask.width(); ++mx)
            if (mask.pixelValue(mx, my) != 0) {
                int cx = (mx - 1) / 7, cy = (my - 1) / 7;
                ++pixelCounts[{cx, cy, QuarterOfPixel(mx - 7 * cx, my - 7 * cy)}];
            }
    const std::array<int, 4> full = QuarterSizes();
    for (const auto& [key, count] : pixelCounts) {
        auto [cx, cy, part] = key;
        piece.parts.push_back({cx, cy, part});
        piece.width = std::max(piece.width, cx + 1);
        piece.height = std::max(piece.height, cy + 1);
        if (count != full[static_cast<std::size_t>(part)])
            piece.exact = false;
    }
    return piece;
}

// Pixels of a unit-1 mask, one part per cell.
Piece PixelPiece(const plat::Bitmap& mask)
{
    Piece piece;
    for (int my = 0; my < mask.height(); ++my)
        for (int mx = 0; mx < mask.width(); ++mx)
            if (mask.pixelValue(mx, my) != 0) {
                piece.parts.push_back({mx, my, 0});
                piece.width = std::max(piece.width, mx + 1);
                piece.height = std::max(piece.height, my + 1);
            }
    return piece;
}

const plat::Bitmap* MaskOfTile(int unit, const PuzzleRecord& record, int tile)
{
    int kind = kTileKind[tile];
    int image = ImageOfOrientation(kind, record.orientation[tile] & 7, record.mirrored != 0);
    return TileMask(FirstMaskNumber(unit, kind) + image);
}

// A plain grid of counters for painting tiles pixel by pixel.
struct CountGrid {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> counts;
    std::uint8_t& at(int x, int y) { return counts[static_cast<std::size_t>(y * width + x)]; }
};

// Every pixel of a record's tiles at a grid unit, relative to the smallest tile position.
template <class Visit>
void ForEachTilePixel(int unit, const PuzzleRecord& record, Visit visit)
{
    int minX = *std::min_element(record.x, record.x + 7);
    int minY = *std::min_element(record.y, record.y + 7);
    for (int tile = 0; tile < 7; ++tile) {
        const plat::Bitmap* mask = MaskOfTile(unit, record, tile);
        int ox = (record.x[tile] - minX) * unit, oy = (record.y[tile] - minY) * unit;
        for (int my = 0; my < mask->height(); ++my)
            for (int mx = 0; mx < mask->width(); ++mx)
                if (mask->pixelValue(mx, my) != 0)
                    visit(tile, ox + mx, oy + my);
    }
}

CountGrid PaintedGrid(int unit, const PuzzleRecord& record)
{
    CountGrid grid;
    ForEachTilePixel(unit, record, [&](int, int x, int y) {
        grid.width = std::max(grid.width, x + 1);
        grid.height = std::max(grid.height, y + 1);
    });
    grid.counts.assign(static_cast<std::size_t>(grid.width * grid.height), 0);
    ForEachTilePixel(unit, record, [&](int, int x, int y) { ++grid.at(x, y); });
    return grid;
}

void ReportOverlaps(int unit, const PuzzleRecord& record, std::vector<std::string>& problems)
{
    CountGrid owner = PaintedGrid(unit, record);
    std::fill(owner.counts.begin(), owner.counts.end(), 255);
    bool seen[7][7] = {};
    ForEachTilePixel(unit, record, [&](int tile, int x, int y) {
        std::uint8_t& cell = owner.at(x, y);
        if (cell != 255 && !seen[cell][tile]) {
            seen[cell][tile] = true;
            problems.push_back(std::string(kTileNames[cell]) + " and " + kTileNames[tile] +
                               " overlap at grid unit " + std::to_string(unit));
        }
        cell = static_cast<std::uint8_t>(tile);
    });
}

bool UnionConnected(const PuzzleRecord& record)
{
    CountGrid grid = PaintedGrid(7, record);
    auto first = std::ranges::find_if(grid.counts, [](std::uint8_t c) { return c != 0; });
    if (first == grid.counts.end())
        return false;
    std::vector<int> stack{static_cast<int>(first - grid.counts.begin())};
    *first = 0;
    while (!stack.empty()) {
        int at = stack.back();
        stack.pop_back();
        int x = at % grid.width, y = at / grid.width;
        const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto& step : steps) {
            int nx = x + step[0], ny = y + step[1];
            if (nx < 0 || ny < 0 || nx >= grid.width || ny >= grid.height || grid.at(nx, ny) == 0)
                continue;
            grid.at(nx, ny) = 0;
            stack.push_back(ny * grid.width + nx);
        }
    }
    return std::ranges::all_of(grid.counts, [](std::uint8_t c) { return c == 0; });
}

// Extent of a record at a grid unit: the largest position * unit + image size over the tiles.
PixelSize Extent(int unit, const PuzzleRecord& record)
{
    PixelSize extent{0, 0};
    for (int tile = 0; tile < 7; ++tile) {
        PixelSize size = TileImageSize(unit, record, tile);
        extent.width = std::max(extent.width, record.x[tile] * unit + size.width);
        extent.height = std::max(extent.height, record.y[tile] * unit + size.height);
    }
    return extent;
}

void ReportFit(const PuzzleRecord& record, std::vector<std::string>& problems)
{
    struct Limit {
        int unit;
        int width;
        int height;
        const char* what;
    };
    static constexpr Limit kLimits[] = {
        {7, kBoardWidth, kBoardHeight, "the board"},
        {1, kCheckWidth, kCheckHeight, "the check surface"},
        {3, kPreviewMaxWidth, kPreviewMaxHeight, "the preview panel"},
    };
    for (const Limit& limit : kLimits) {
        PixelSize extent = Extent(limit.unit, record);
        if (extent.width > limit.width || extent.height > limit.height)
            problems.push_back("does not fit " + std::string(limit.what) + ": " +
                               std::to_string(extent.width) + " x " +
                               std::to_string(extent.height) + " pixels, at most " +
                               std::to_string(limit.width) + " x " +
                               std::to_string(limit.height));
    }
}

std::string Trim(const std::string& text)
{
    std::size_t begin = text.find_first_not_of(" \t\r");
    if (begin == std::string::npos)
        return {};
    std::size_t end = text.find_last_not_of(" \t\r");
    return text.substr(begin, end - begin + 1);
}

bool ParseInts(std::istringstream& in, int* values, int count, int low, int high)
{
    for (int i = 0; i < count; ++i)
        if (!(in >> values[i]) || values[i] < low || values[i] > high)
            return false;
    std::string rest;
    return !(in >> rest);
}

} // namespace

// ---- Tile shapes -------------------------------------------------------------------------

int ImageOfOrientation(int kind, int orientation, bool mirrored)
{
    if (kind == kSquareKind)
        return orientation % 2;
    if (kind == kParallelogramKind)
        return mirrored ? 4 + (3 - orientation % 4) : orientation % 4;
    return orientation;
}

ImagePose PoseOfImage(int kind, int image)
{
    if (kind == kParallelogramKind && image >= 4)
        return {7 - image, true};
    return {image, false};
}

int QuarterOfPixel(int lx, int ly)
{
    bool aboveMain = lx - ly >= 1;  // right of the diagonal from the top-left corner
    bool belowAnti = lx + ly >= 8;  // right of the diagonal from the top-right corner
    if (aboveMain)
        return belowAnti ? kRightQuarter : kTopQuarter;
    return belowAnti ? kBottomQuarter : kLeftQuarter;
}

const Piece& PieceAt(int unit, int kind, int image)
{
    // Built once: 34 images at each of the two units.
    static std::map<std::tuple<int, int, int>, Piece> made;
    auto key = std::make_tuple(unit, kind, image);
    auto found = made.find(key);
    if (found != made.end())
        return found->second;
    const plat::Bitmap* mask = TileMask(FirstMaskNumber(unit, kind) + image);
    Piece piece = unit == 7 ? QuarterPiece(*mask) : PixelPiece(*mask);
    piece.kind = kind;
    piece.image = image;
    SortParts(piece);
    int parts = unit == 7 ? 4 : 1;
    piece.cover.assign(static_cast<std::size_t>(piece.width * piece.height * parts), 0);
    for (const CellPart& p : piece.parts)
        piece.cover[static_cast<std::size_t>((p.cy * piece.width + p.cx) * parts + p.part)] = 1;
    return made.emplace(key, std::move(piece)).first->second;
}

bool Piece::has(int cx, int cy, int part) const
{
    if (cx < 0 || cy < 0 || cx >= width || cy >= height)
        return false;
    int perCell = static_cast<int>(cover.size()) / (width * height);
    return cover[static_cast<std::size_t>((cy * width + cx) * perCell + part)] != 0;
}

PixelSize TileImageSize(int unit, const PuzzleRecord& record, int tile)
{
    const plat::Bitmap* mask = MaskOfTile(unit, record, tile);
    return {mask->width(), mask->height()};
}

// ---- Silhouettes ---------------------------------------------------------------------------

std::uint8_t Silhouette::at(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return 0;
    return cells[static_cast<std::size_t>(y * width + x)];
}

void Silhouette::add(int x, int y, int part)
{
    cells[static_cast<std::size_t>(y * width + x)] |= static_cast<std::uint8_t>(1 << part);
}

int Silhouette::area() const
{
    int total = 0;
    for (std::uint8_t c : cells)
        total += std::popcount(static_cast<unsigned>(c));
    return total;
}

Silhouette SilhouetteOf(const PuzzleRecord& record)
{
    Silhouette shape;
    for (int tile = 0; tile < 7; ++tile) {
        int kind = kTileKind[tile];
        const Piece& piece = PieceAt(7, kind, ImageOfOrientation(kind, record.orientation[tile] & 7,
                                                                 record.mirrored != 0));
        shape.width = std::max(shape.width, record.x[tile] + piece.width);
        shape.height = std::max(shape.height, record.y[tile] + piece.height);
    }
    shape.width = std::max(shape.width, 0); // tiles left of or above the frame are not drawn
    shape.height = std::max(shape.height, 0);
    shape.cells.assign(static_cast<std::size_t>(shape.width * shape.height), 0);
    for (int tile = 0; tile < 7; ++tile) {
        int kind = kTileKind[tile];
        const Piece& piece = PieceAt(7, kind, ImageOfOrientation(kind, record.orientation[tile] & 7,
                                                                 record.mirrored != 0));
        for (const CellPart& p : piece.parts)
            if (record.x[tile] + p.cx >= 0 && record.y[tile] + p.cy >= 0)
                shape.add(record.x[tile] + p.cx, record.y[tile] + p.cy, p.part);
    }
    return shape;
}

Silhouette Trimmed(const Silhouette& shape)
{
    int left = shape.width, top = shape.height, right = -1, bottom = -1;
    for (int y = 0; y < shape.height; ++y)
        for (int x = 0; x < shape.width; ++x)
            if (shape.at(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    Silhouette out;
    if (right < 0)
        return out;
    out.width = right - left + 1;
    out.height = bottom - top + 1;
    out.cells.resize(static_cast<std::size_t>(out.width * out.height));
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x)
            out.cells[static_cast<std::size_t>(y * out.width + x)] = shape.at(x + left, y + top);
    return out;
}

Silhouette Transformed(const Silhouette& shape, int symmetry)
{
    Silhouette out = shape;
    if (symmetry >= 4) {
        // Mirror left to right: the left and right quarters change places.
        for (int y = 0; y < shape.height; ++y)
            for (int x = 0; x < shape.width; ++x) {
                std::uint8_t c = shape.at(shape.width - 1 - x, y);
                out.cells[static_cast<std::size_t>(y * shape.width + x)] = static_cast<std::uint8_t>(
                    (c & 0b0101) | ((c & 0b0010) << 2) | ((c & 0b1000) >> 2));
            }
    }
    for (int turn = 0; turn < symmetry % 4; ++turn) {
        // A quarter turn clockwise: (x, y) goes to (height - 1 - y, x); top becomes right.
        Silhouette turned;
        turned.width = out.height;
        turned.height = out.width;
        turned.cells.resize(out.cells.size());
        for (int y = 0; y < out.height; ++y)
            for (int x = 0; x < out.width; ++x) {
                unsigned c = out.at(x, y);
                turned.cells[static_cast<std::size_t>(x * turned.width + (out.height - 1 - y))] =
                    static_cast<std::uint8_t>(((c << 1) | (c >> 3)) & 0xF);
            }
        out = std::move(turned);
    }
    return out;
}

std::string CanonicalKey(const Silhouette& shape)
{
    Silhouette trimmed = Trimmed(shape);
    std::string best;
    for (int symmetry = 0; symmetry < 8; ++symmetry) {
        Silhouette t = Transformed(trimmed, symmetry);
        std::string key = std::to_string(t.width) + "x" + std::to_string(t.height) + ":";
        for (std::uint8_t c : t.cells)
            key.push_back(static_cast<char>('a' + c));
        if (best.empty() || key < best)
            best = key;
    }
    return best;
}

// ---- Validity ------------------------------------------------------------------------------

bool CheckSurfaceMatches(const PuzzleRecord& solution, const PuzzleRecord& player)
{
    std::vector<std::uint8_t> surface(kCheckWidth * kCheckHeight, 0);
    int width = 0, height = 0;
    auto drawMasks = [&](const PuzzleRecord& record, int originX, int originY) {
        for (int tile = 0; tile < 7; ++tile) {
            const plat::Bitmap* mask = MaskOfTile(1, record, tile);
            int left = record.x[tile] - originX, top = record.y[tile] - originY;
            width = std::max(width, left + mask->width());
            height = std::max(height, top + mask->height());
            for (int my = 0; my < mask->height(); ++my)
                for (int mx = 0; mx < mask->width(); ++mx) {
                    int x = left + mx, y = top + my;
                    if (mask->pixelValue(mx, my) != 0 && x >= 0 && y >= 0 && x < kCheckWidth &&
                        y < kCheckHeight)
                        surface[static_cast<std::size_t>(y * kCheckWidth + x)] ^= 1;
                }
        }
    };
    drawMasks(solution, 0, 0);
    drawMasks(player, *std::min_element(player.x, player.x + 7),
              *std::min_element(player.y, player.y + 7));
    if (width > kCheckWidth || height > kCheckHeight)
        return false; // the scan reaches past the surface, which never reads clear
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (surface[static_cast<std::size_t>(y * kCheckWidth + x)] != 0)
                return false;
    return true;
}

std::vector<std::string> RecordProblems(const PuzzleRecord& record)
{
    std::vector<std::string> problems;
    for (int tile = 0; tile < 7; ++tile)
        if (record.orientation[tile] < 0 || record.orientation[tile] > 7)
            problems.push_back(std::string(kTileNames[tile]) + " has orientation " +
                               std::to_string(record.orientation[tile]) + ", not 0..7");
    if (record.mirrored > 1)
        problems.push_back("mirrored is " + std::to_string(record.mirrored) + ", not 0 or 1");
    if (!problems.empty())
        return problems;
    int minX = *std::min_element(record.x, record.x + 7);
    int minY = *std::min_element(record.y, record.y + 7);
    if (minX != 0 || minY != 0)
        problems.push_back("not normalised: smallest column " + std::to_string(minX) +
                           ", smallest row " + std::to_string(minY));
    ReportFit(record, problems);
    ReportOverlaps(7, record, problems);
    ReportOverlaps(1, record, problems);
    if (!UnionConnected(record))
        problems.push_back("the tiles do not form one connected figure");
    if (!CheckSurfaceMatches(record, record))
        problems.push_back("the solved check does not accept the puzzle's own solution");
    return problems;
}

// ---- Source text and pack files ------------------------------------------------------------

std::string NoteValue(const DesignPuzzle& puzzle, const std::string& key)
{
    for (const std::string& note : puzzle.notes)
        if (note.rfind(key + ":", 0) == 0)
            return Trim(note.substr(key.size() + 1));
    return {};
}

std::vector<DesignPuzzle> ParsePackSource(const std::string& text, std::vector<std::string>& errors)
{
    std::vector<DesignPuzzle> puzzles;
    int tiles = 0;
    bool mirroredSeen = true;
    std::istringstream lines(text);
    std::string raw;
    auto fail = [&](int number, const std::string& why) {
        errors.push_back("line " + std::to_string(number) + ": " + why);
    };
    auto finishBlock = [&](int number) {
        if (!puzzles.empty() && (tiles != 7 || !mirroredSeen))
            fail(number, "puzzle \"" + puzzles.back().name + "\" needs 7 tile lines and a mirrored line");
    };
    for (int number = 1; std::getline(lines, raw); ++number) {
        std::string line = Trim(raw);
        if (line.empty())
            continue;
        if (line[0] == '#') {
            if (!puzzles.empty())
                puzzles.back().notes.push_back(Trim(line.substr(1)));
            continue;
        }
        std::istringstream in(line);
        std::string word;
        in >> word;
        if (word == "puzzle") {
            finishBlock(number);
            puzzles.push_back({Trim(line.substr(6)), {}, {}});
            tiles = 0;
            mirroredSeen = false;
        } else if (puzzles.empty()) {
            fail(number, "expected \"puzzle NAME\"");
        } else if (word == "tile") {
            int v[3];
            if (tiles >= 7 || mirroredSeen || !ParseInts(in, v, 3, -128, 127)) {
                fail(number, "expected \"tile COLUMN ROW ORIENTATION\" (at most 7, before mirrored)");
                continue;
            }
            PuzzleRecord& r = puzzles.back().record;
            r.x[tiles] = static_cast<std::int8_t>(v[0]);
            r.y[tiles] = static_cast<std::int8_t>(v[1]);
            r.orientation[tiles] = static_cast<std::int8_t>(v[2]);
            ++tiles;
        } else if (word == "mirrored") {
            int v;
            if (mirroredSeen || !ParseInts(in, &v, 1, 0, 255)) {
                fail(number, "expected one \"mirrored 0|1\" line");
                continue;
            }
            puzzles.back().record.mirrored = static_cast<std::uint8_t>(v);
            mirroredSeen = true;
        } else {
            fail(number, "unknown line \"" + line + "\"");
        }
    }
    finishBlock(0);
    if (!errors.empty())
        puzzles.clear();
    return puzzles;
}

std::string FormatPackSource(const std::vector<DesignPuzzle>& puzzles)
{
    std::ostringstream out;
    for (const DesignPuzzle& puzzle : puzzles) {
        out << "puzzle " << puzzle.name << "\n";
        for (const std::string& note : puzzle.notes)
            out << "# " << note << "\n";
        const PuzzleRecord& r = puzzle.record;
        for (int tile = 0; tile < 7; ++tile)
            out << "tile " << int(r.x[tile]) << " " << int(r.y[tile]) << " "
                << int(r.orientation[tile]) << "\n";
        out << "mirrored " << int(r.mirrored) << "\n\n";
    }
    return out.str();
}

bool MakePackBlock(const std::vector<DesignPuzzle>& puzzles, int packIndex, PackBlock& block,
                   std::string& error)
{
    if (packIndex < 0 || packIndex >= CustomPackIndex) {
        error = "pack number must be 0..3";
        return false;
    }
    if (puzzles.size() > static_cast<std::size_t>(kPuzzlesPerPack)) {
        error = std::to_string(puzzles.size()) + " puzzles, a pack holds at most 100";
        return false;
    }
    std::memset(&block, 0, sizeof block);
    block.count = static_cast<std::int8_t>(puzzles.size());
    block.headCheck = PackTable[packIndex].headCheck;
    block.tailCheck = PackTable[packIndex].tailCheck;
    for (std::size_t i = 0; i < puzzles.size(); ++i)
        block.puzzles[i] = puzzles[i].record;
    return true;
}

std::vector<DesignPuzzle> PuzzlesOfBlock(const PackBlock& block)
{
    std::vector<DesignPuzzle> puzzles;
    int count = std::clamp(static_cast<int>(block.count), 0, kPuzzlesPerPack);
    for (int i = 0; i < count; ++i)
        puzzles.push_back({std::to_string(i), {}, block.puzzles[i]});
    return puzzles;
}

int PackIndexOfBlock(const PackBlock& block)
{
    for (int pack = 0; pack < CustomPackIndex; ++pack)
        if (block.headCheck == PackTable[pack].headCheck && block.tailCheck == PackTable[pack].tailCheck)
            return pack;
    return -1;
}
