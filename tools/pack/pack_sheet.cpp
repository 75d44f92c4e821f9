// Contact sheets and fit sheets: tiles drawn from their masks, captions in a small pixel font.
#include "pack/pack_sheet.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>

#include "resources/tile_masks.h"

namespace {

// Capitals, digits and a little punctuation, three pixels wide and five high.
struct Glyph {
    char c;
    const char* rows[5];
};
constexpr Glyph kFont[] = {
    {'A', {".#.", "#.#", "###", "#.#", "#.#"}}, {'B', {"##.", "#.#", "##.", "#.#", "##."}},
    {'C', {".##", "#..", "#..", "#..", ".##"}}, {'D', {"##.", "#.#", "#.#", "#.#", "##."}},
    {'E', {"###", "#..", "##.", "#..", "###"}}, {'F', {"###", "#..", "##.", "#..", "#.."}},
    {'G', {".##", "#..", "#.#", "#.#", ".##"}}, {'H', {"#.#", "#.#", "###", "#.#", "#.#"}},
    {'I', {"###", ".#.", ".#.", ".#.", "###"}}, {'J', {"..#", "..#", "..#", "#.#", ".#."}},
    {'K', {"#.#", "#.#", "##.", "#.#", "#.#"}}, {'L', {"#..", "#..", "#..", "#..", "###"}},
    {'M', {"#.#", "###", "###", "#.#", "#.#"}}, {'N', {"##.", "#.#", "#.#", "#.#", "#.#"}},
    {'O', {".#.", "#.#", "#.#", "#.#", ".#."}}, {'P', {"##.", "#.#", "##.", "#..", "#.."}},
    {'Q', {".#.", "#.#", "#.#", "##.", ".##"}}, {'R', {"##.", "#.#", "##.", "#.#", "#.#"}},
    {'S', {".##", "#..", ".#.", "..#", "##."}}, {'T', {"###", ".#.", ".#.", ".#.", ".#."}},
    {'U', {"#.#", "#.#", "#.#", "#.#", "###"}}, {'V', {"#.#", "#.#", "#.#", "#.#", ".#."}},
    {'W', {"#.#", "#.#", "###", "###", "#.#"}}, {'X', {"#.#", "#.#", ".#.", "#.#", "#.#"}},
    {'Y', {"#.#", "#.#", ".#.", ".#.", ".#."}}, {'Z', {"###", "..#", ".#.", "#..", "###"}},
    {'0', {"###", "#.#", "#.#", "#.#", "###"}}, {'1', {".#.", "##.", ".#.", ".#.", "###"}},
    {'2', {"###", "..#", "###", "#..", "###"}}, {'3', {"###", "..#", "###", "..#", "###"}},
    {'4', {"#.#", "#.#", "###", "..#", "..#"}}, {'5', {"###", "#..", "###", "..#", "###"}},
    {'6', {"###", "#..", "###", "#.#", "###"}}, {'7', {"###", "..#", "..#", "..#", "..#"}},
    {'8', {"###", "#.#", "###", "#.#", "###"}}, {'9', {"###", "#.#", "###", "..#", "###"}},
    {'.', {"...", "...", "...", "...", ".#."}}, {',', {"...", "...", "...", ".#.", "#.."}},
    {'-', {"...", "...", "###", "...", "..."}}, {'+', {"...", ".#.", "###", ".#.", "..."}},
    {'%', {"#.#", "..#", ".#.", "#..", "#.#"}}, {':', {"...", ".#.", "...", ".#.", "..."}},
    {'/', {"..#", "..#", ".#.", "#..", "#.."}}, {'(', {".#.", "#..", "#..", "#..", ".#."}},
    {')', {".#.", "..#", "..#", "..#", ".#."}}, {'\'', {".#.", ".#.", "...", "...", "..."}},
    {'?', {"##.", "..#", ".#.", "...", ".#."}}, {'!', {".#.", ".#.", ".#.", "...", ".#."}},
    {'&', {".#.", "#.#", ".#.", "#.#", ".##"}}, {'#', {"#.#", "###", "#.#", "###", "#.#"}},
};
constexpr int kTextScale = 2;
constexpr int kCharAdvance = 4 * kTextScale;
constexpr int kLineHeight = 7 * kTextScale;

const plat::Color kInk = plat::MakeColor(40, 40, 40);
const plat::Color kPaper = plat::MakeColor(250, 250, 245);
const plat::Color kRule = plat::MakeColor(200, 200, 200);
const plat::Color kSilhouette = plat::MakeColor(30, 30, 60);
const plat::Color kOverlap = plat::MakeColor(255, 0, 0);

constexpr plat::Color kTileColours[7] = {
    plat::MakeColor(220, 90, 60),  plat::MakeColor(230, 160, 40), plat::MakeColor(90, 170, 70),
    plat::MakeColor(60, 140, 200), plat::MakeColor(150, 90, 190), plat::MakeColor(40, 90, 150),
    plat::MakeColor(150, 60, 90),
};

void FillRect(plat::Bitmap& bitmap, int left, int top, int width, int height, plat::Color colour)
{
    std::uint32_t value = bitmap.colorToValue(colour);
    for (int y = std::max(0, top); y < std::min(bitmap.height(), top + height); ++y)
        for (int x = std::max(0, left); x < std::min(bitmap.width(), left + width); ++x)
            bitmap.setPixelValue(x, y, value);
}

// Text in capitals, clipped at `maxWidth` pixels; unknown characters show as spaces.
void DrawText(plat::Bitmap& bitmap, const std::string& text, int left, int top, int maxWidth,
              plat::Color colour = kInk)
{
    for (std::size_t i = 0; i < text.size() && static_cast<int>(i + 1) * kCharAdvance <= maxWidth; ++i) {
        char c = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
        const Glyph* glyph = std::ranges::find_if(kFont, [c](const Glyph& g) { return g.c == c; });
        if (glyph == std::end(kFont))
            continue;
        for (int row = 0; row < 5; ++row)
            for (int col = 0; col < 3; ++col)
                if (glyph->rows[row][col] == '#')
                    FillRect(bitmap, left + static_cast<int>(i) * kCharAdvance + col * kTextScale,
                             top + row * kTextScale, kTextScale, kTextScale, colour);
    }
}

int TextWidth(const std::string& text)
{
    return static_cast<int>(text.size()) * kCharAdvance;
}

const plat::Bitmap& MaskOf(int unit, int tile, int image)
{
    return *TileMask(MaskNumberOfTile(*MaskNumbersForUnit(unit), tile) + image);
}

int ImageOf(const PuzzleRecord& record, int tile)
{
    int kind = kTileKind[tile];
    return ImageOfOrientation(kind, record.orientation[tile] & 7, record.mirrored != 0);
}

// Which pairs of tiles share a quarter cell at grid unit 7 or a pixel at grid unit 1.
std::array<std::array<bool, 7>, 7> TrueOverlaps(const PuzzleRecord& record)
{
    std::array<std::array<bool, 7>, 7> overlaps{};
    for (int unit : {7, 1}) {
        std::map<std::tuple<int, int, int>, int> owner;
        for (int tile = 0; tile < 7; ++tile)
            for (const CellPart& p : PieceAt(unit, kTileKind[tile], ImageOf(record, tile)).parts) {
                auto [it, fresh] = owner.try_emplace({record.x[tile] + p.cx, record.y[tile] + p.cy, p.part}, tile);
                if (!fresh)
                    overlaps[static_cast<std::size_t>(it->second)][static_cast<std::size_t>(tile)] =
                        overlaps[static_cast<std::size_t>(tile)][static_cast<std::size_t>(it->second)] = true;
            }
    }
    return overlaps;
}

void DrawPuzzle(plat::Bitmap& sheet, const PuzzleRecord& record, const SheetOptions& options,
                int left, int top)
{
    auto overlaps = TrueOverlaps(record);
    std::map<std::pair<int, int>, int> painter;
    for (int tile = 0; tile < 7; ++tile) {
        const plat::Bitmap& mask = MaskOf(options.unit, tile, ImageOf(record, tile));
        for (int my = 0; my < mask.height(); ++my)
            for (int mx = 0; mx < mask.width(); ++mx) {
                if (mask.pixelValue(mx, my) == 0)
                    continue;
                int x = left + record.x[tile] * options.unit + mx, y = top + record.y[tile] * options.unit + my;
                auto [it, fresh] = painter.try_emplace({x, y}, tile);
                bool clash = !fresh && overlaps[static_cast<std::size_t>(it->second)][static_cast<std::size_t>(tile)];
                plat::Color colour = clash ? kOverlap : options.colourTiles ? kTileColours[tile] : kSilhouette;
                if (fresh || clash)
                    FillRect(sheet, x, y, 1, 1, colour);
            }
    }
}

// ---- fit sheets ----------------------------------------------------------------------------

constexpr int kFitUnit = 7;

// Whether pixel (px, py) of a grid-unit-7 picture lies in the silhouette, the way masks map pixels
// to quarter cells.
bool InQuarters(const Silhouette& shape, int px, int py)
{
    if (px < 1 || py < 1)
        return false;
    int cx = (px - 1) / kFitUnit, cy = (py - 1) / kFitUnit;
    return (shape.at(cx, cy) >> QuarterOfPixel(px - kFitUnit * cx, py - kFitUnit * cy)) & 1;
}

void DrawFit(plat::Bitmap& sheet, const FigureFit& fit, int left, int top, bool tiles)
{
    const Silhouette& shape = fit.sketch;
    int width = shape.width * kFitUnit + 2, height = shape.height * kFitUnit + 2;
    if (tiles) {
        PuzzleRecord record = RecordOfLayout(fit.layout);
        for (int tile = 0; tile < 7; ++tile) {
            const plat::Bitmap& mask = MaskOf(kFitUnit, tile, ImageOf(record, tile));
            for (int my = 0; my < mask.height(); ++my)
                for (int mx = 0; mx < mask.width(); ++mx)
                    if (mask.pixelValue(mx, my) != 0)
                        FillRect(sheet, left + record.x[tile] * kFitUnit + mx, top + record.y[tile] * kFitUnit + my,
                                 1, 1, plat::MakeColor(110, 110, 140));
        }
    }
    for (int py = 0; py < height; ++py)
        for (int px = 0; px < width; ++px) {
            if (!InQuarters(shape, px, py))
                continue;
            bool edge = !InQuarters(shape, px - 1, py) || !InQuarters(shape, px + 1, py) ||
                        !InQuarters(shape, px, py - 1) || !InQuarters(shape, px, py + 1);
            if (!tiles)
                FillRect(sheet, left + px, top + py, 1, 1, kSilhouette);
            else if (edge)
                FillRect(sheet, left + px, top + py, 1, 1, plat::MakeColor(200, 0, 0));
        }
}

std::string FitCaption(int number, const FigureFit& fit)
{
    std::string caption = (fit.refusals.empty() ? std::to_string(number) : std::string("NO")) + ": " +
                          std::to_string(static_cast<int>(std::lround(100 * fit.openShare()))) + "% OPEN +" +
                          std::to_string(fit.added);
    if (fit.refusals.empty())
        caption += " G" + std::to_string(fit.analysis.grade);
    else if (fit.score.steps)
        caption += " J" + std::to_string(fit.score.steps);
    return caption;
}

} // namespace

std::unique_ptr<plat::Bitmap> DrawContactSheet(const std::vector<DesignPuzzle>& puzzles,
                                               const SheetOptions& options)
{
    if (!MaskNumbersForUnit(options.unit) || options.unit == 1 || options.columns < 1)
        return nullptr;
    // Cells as large as the largest silhouette (and name) on the sheet.
    int cellWidth = 40, cellHeight = 30;
    for (const DesignPuzzle& p : puzzles) {
        for (int tile = 0; tile < 7; ++tile) {
            PixelSize size = TileImageSize(options.unit, p.record, tile);
            cellWidth = std::max(cellWidth, p.record.x[tile] * options.unit + size.width + 8);
            cellHeight = std::max(cellHeight, p.record.y[tile] * options.unit + size.height + 16);
        }
        if (options.names)
            cellWidth = std::max(cellWidth, std::min(TextWidth(p.name), 24 * kCharAdvance) + 8);
    }
    if (options.names)
        cellHeight += kLineHeight;
    int count = std::max<int>(1, static_cast<int>(puzzles.size()));
    int columns = std::min(options.columns, count);
    int rows = (count + columns - 1) / columns;
    auto sheet = plat::CreateScreenBitmap(columns * cellWidth, rows * cellHeight);
    if (!sheet)
        return nullptr;
    FillRect(*sheet, 0, 0, sheet->width(), sheet->height(), kPaper);
    for (std::size_t i = 0; i < puzzles.size(); ++i) {
        int left = static_cast<int>(i) % columns * cellWidth, top = static_cast<int>(i) / columns * cellHeight;
        FillRect(*sheet, left, top, cellWidth, 1, kRule);
        FillRect(*sheet, left, top, 1, cellHeight, kRule);
        DrawText(*sheet, std::to_string(i), left + 3, top + 3, cellWidth);
        DrawPuzzle(*sheet, puzzles[i].record, options, left + 4, top + 14);
        if (options.names)
            DrawText(*sheet, puzzles[i].name, left + 4, top + cellHeight - kLineHeight, cellWidth - 6);
    }
    return sheet;
}

std::unique_ptr<plat::Bitmap> DrawFitSheet(const std::vector<FitSheetRow>& rows)
{
    struct Cell {
        const FigureFit* fit;
        bool tiles;
        std::string caption;
    };
    std::vector<std::vector<Cell>> cells;
    int width = 0, height = 0;
    std::vector<int> rowHeights;
    for (const FitSheetRow& row : rows) {
        const std::vector<FigureFit>& shown = row.design.accepted.empty() ? row.design.nearest : row.design.accepted;
        std::vector<Cell> line;
        if (!shown.empty())
            line.push_back({&shown.front(), false, "SKETCH " + std::to_string(shown.front().sketchArea)});
        for (std::size_t i = 0; i < shown.size(); ++i)
            line.push_back({&shown[i], true, FitCaption(static_cast<int>(i) + 1, shown[i])});
        int x = 0, tallest = 0;
        for (const Cell& c : line) {
            x += std::max(c.fit->sketch.width * kFitUnit + 10, TextWidth(c.caption) + 10);
            tallest = std::max(tallest, c.fit->sketch.height * kFitUnit + 4 + kLineHeight);
        }
        width = std::max({width, x, TextWidth(row.name) + 10});
        rowHeights.push_back(kLineHeight + tallest);
        height += rowHeights.back();
        cells.push_back(std::move(line));
    }
    auto sheet = plat::CreateScreenBitmap(std::max(width, 40), std::max(height, 20));
    if (!sheet)
        return nullptr;
    FillRect(*sheet, 0, 0, sheet->width(), sheet->height(), kPaper);
    int top = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        FillRect(*sheet, 0, top, sheet->width(), 1, kRule);
        DrawText(*sheet, rows[r].name, 4, top + 3, sheet->width() - 8);
        int left = 0;
        for (const Cell& c : cells[r]) {
            DrawFit(*sheet, *c.fit, left + 4, top + kLineHeight, c.tiles);
            int cellTop = top + kLineHeight + c.fit->sketch.height * kFitUnit + 4;
            DrawText(*sheet, c.caption, left + 4, cellTop, sheet->width() - left,
                     c.fit->refusals.empty() ? kInk : kOverlap);
            left += std::max(c.fit->sketch.width * kFitUnit + 10, TextWidth(c.caption) + 10);
        }
        top += rowHeights[r];
    }
    return sheet;
}

std::string TextPicture(const PuzzleRecord& record)
{
    QuarterGrid grid;
    for (int tile = 0; tile < 7; ++tile) {
        const Piece& piece = PieceAt(7, kTileKind[tile], ImageOf(record, tile));
        grid.width = std::max(grid.width, record.x[tile] + piece.width);
        grid.height = std::max(grid.height, record.y[tile] + piece.height);
    }
    grid.owner.assign(static_cast<std::size_t>(grid.width * grid.height * 4), -1);
    for (int tile = 0; tile < 7; ++tile)
        for (const CellPart& p : PieceAt(7, kTileKind[tile], ImageOf(record, tile)).parts)
            if (record.x[tile] + p.cx >= 0 && record.y[tile] + p.cy >= 0)
                grid.owner[static_cast<std::size_t>(((record.y[tile] + p.cy) * grid.width + record.x[tile] + p.cx) * 4 + p.part)] = tile;
    // A half cell holds all of its side quarter and halves of the top and bottom ones.
    auto half = [&](int x, int y, int side) {
        for (int part : {side, static_cast<int>(kTopQuarter), static_cast<int>(kBottomQuarter)})
            if (grid.at(x, y, part) >= 0)
                return static_cast<char>('0' + grid.at(x, y, part));
        return '.';
    };
    std::string text;
    for (int y = 0; y < grid.height; ++y) {
        for (int x = 0; x < grid.width; ++x) {
            text += half(x, y, kLeftQuarter);
            text += half(x, y, kRightQuarter);
        }
        text += "\n";
    }
    return text;
}
