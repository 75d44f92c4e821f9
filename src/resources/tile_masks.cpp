// The tile masks, drawn row by row from the hand-fitted outline of each shape, and the
// see-through pattern.
#include "resources/tile_masks.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <optional>
#include <span>

const MaskNumberRow kMaskNumbers7{7, 182, 166, 198, 202, 150};
const MaskNumberRow kMaskNumbers3{3, 248, 240, 268, 256, 232};
const MaskNumberRow kMaskNumbers1{1, 286, 278, 302, 294, 270};

namespace {

// Size of a mask and the last row that holds pixels; the first such row is always row 1.
struct MaskFrame {
    int width;
    int height;
    int lastRow;
};

// The set columns of one row, first to last inclusive.
struct RowRun {
    int first;
    int last;
};

// One mask shape as a function of a length L in pixels (which length L is depends on the
// shape family, see kShapeFamilies): its frame, and the run of set columns in row r.
struct ShapeRule {
    MaskFrame (*frame)(int L);
    RowRun (*run)(int L, int r);
};

// Triangles in orientations 0..7. Even orientations are sized by H, half the hypotenuse of
// orientation 0; odd ones by D, the leg of orientations 3 and 5. The shapes are fitted to the
// grid by hand, so they are not exact turns of each other (orientations 1 and 7 have legs of
// D - 1 pixels, orientation 4 a hypotenuse of 2H - 2).
const ShapeRule kTriangleRules[8] = {
    // 0: right angle at the top, hypotenuse along the bottom
    {[](int H) { return MaskFrame{2 * H + 2, H + 2, H}; },
     [](int H, int r) { return RowRun{H + 1 - r, H + r}; }},
    // 1: right angle at the top left
    {[](int D) { return MaskFrame{D + 1, D + 1, D - 1}; },
     [](int D, int r) { return RowRun{1, D - r}; }},
    // 2: right angle at the left, hypotenuse along the right
    {[](int H) { return MaskFrame{H + 2, 2 * H + 1, 2 * H - 1}; },
     [](int H, int r) { return RowRun{std::abs(H - r) + 1, H}; }},
    // 3: right angle at the bottom left
    {[](int D) { return MaskFrame{D + 2, D + 2, D}; },
     [](int, int r) { return RowRun{1, r}; }},
    // 4: right angle at the bottom, hypotenuse along the top
    {[](int H) { return MaskFrame{2 * H + 1, H + 1, H - 1}; },
     [](int H, int r) { return RowRun{r + 1, 2 * H - r}; }},
    // 5: right angle at the bottom right
    {[](int D) { return MaskFrame{D + 2, D + 2, D}; },
     [](int D, int r) { return RowRun{D + 1 - r, D}; }},
    // 6: right angle at the right, hypotenuse along the left
    {[](int H) { return MaskFrame{H + 2, 2 * H + 1, 2 * H - 1}; },
     [](int H, int r) { return RowRun{1, std::min(r, 2 * H - r)}; }},
    // 7: right angle at the top right
    {[](int D) { return MaskFrame{D + 2, D + 1, D - 1}; },
     [](int D, int r) { return RowRun{r + 1, D}; }},
};

// The square: the axis-aligned shape sized by its side S, the diamond by its half-diagonal H.
const ShapeRule kSquareRules[2] = {
    {[](int S) { return MaskFrame{S + 2, S + 2, S}; },
     [](int S, int) { return RowRun{1, S}; }},
    {[](int H) { return MaskFrame{2 * H + 2, 2 * H + 1, 2 * H - 1}; },
     [](int H, int r) { return RowRun{std::abs(H - r) + 1, 2 * H - std::abs(H - r)}; }},
};

// The parallelogram, sized by the grid unit u: N0..N3, then M0..M3, each Mi the mirror image
// of Ni. In the preview size M1 starts each row one pixel further left, so the mirrored tile
// closes the gap it would otherwise leave against its neighbours there.
const ShapeRule kParallelogramRules[8] = {
    // N0: long sides level, short sides slanting down to the right
    {[](int u) { return MaskFrame{9 * u + 2, 3 * u + 2, 3 * u}; },
     [](int u, int r) { return RowRun{r + 1, 6 * u + r}; }},
    // N1
    {[](int u) { return MaskFrame{8 * u + 1, 4 * u + 2, 4 * u}; },
     [](int u, int r) { return RowRun{4 * u + 1 - r, 8 * u - r}; }},
    // N2
    {[](int u) { return MaskFrame{3 * u + 2, 9 * u + 1, 9 * u - 1}; },
     [](int u, int r) { return RowRun{std::max(1, 3 * u + 1 - r), std::min(3 * u, 9 * u - r)}; }},
    // N3
    {[](int u) { return MaskFrame{4 * u + 2, 8 * u + 1, 8 * u - 1}; },
     [](int u, int r) { return RowRun{std::max(1, r - 4 * u + 1), std::min(r, 4 * u)}; }},
    // M0
    {[](int u) { return MaskFrame{9 * u + 1, 3 * u + 2, 3 * u}; },
     [](int u, int r) { return RowRun{3 * u + 1 - r, 9 * u - r}; }},
    // M1
    {[](int u) { return MaskFrame{8 * u + 2, 4 * u + 2, 4 * u}; },
     [](int u, int r) { return RowRun{u == 3 ? r : r + 1, 4 * u + r}; }},
    // M2
    {[](int u) { return MaskFrame{3 * u + 2, 9 * u + 1, 9 * u - 1}; },
     [](int u, int r) { return RowRun{std::max(1, r - 6 * u + 1), std::min(r, 3 * u)}; }},
    // M3
    {[](int u) { return MaskFrame{4 * u + 2, 8 * u + 1, 8 * u - 1}; },
     [](int u, int r) { return RowRun{std::max(1, 4 * u + 1 - r), std::min(4 * u, 8 * u - r)}; }},
};

// One shape family: where its numbers start in a MaskNumberRow, its masks in number order, and
// the length L of its even and odd masks in grid units.
struct ShapeFamily {
    int MaskNumberRow::*firstNumber;
    std::span<const ShapeRule> rules;
    int evenLength;
    int oddLength;
};

const ShapeFamily kShapeFamilies[] = {
    {&MaskNumberRow::smallTriangle, kTriangleRules, 3, 4},  // H = 3u, D = 4u
    {&MaskNumberRow::mediumTriangle, kTriangleRules, 4, 6}, // H = 4u, D = 6u
    {&MaskNumberRow::largeTriangle, kTriangleRules, 6, 8},  // H = 6u, D = 8u
    {&MaskNumberRow::square, kSquareRules, 4, 3},           // S = 4u, diamond H = 3u
    {&MaskNumberRow::parallelogram, kParallelogramRules, 1, 1},
};

const MaskNumberRow* const kAllMaskRows[] = {&kMaskNumbers7, &kMaskNumbers3, &kMaskNumbers1};

// A mask number resolved to its shape and the length that sizes it.
struct MaskRecipe {
    const ShapeRule* rule;
    int length;
};

std::optional<MaskRecipe> FindMaskRecipe(int maskNumber)
{
    for (const MaskNumberRow* row : kAllMaskRows) {
        for (const ShapeFamily& family : kShapeFamilies) {
            int index = maskNumber - row->*family.firstNumber;
            if (index < 0 || index >= static_cast<int>(family.rules.size()))
                continue;
            int units = index % 2 == 0 ? family.evenLength : family.oddLength;
            return MaskRecipe{&family.rules[static_cast<std::size_t>(index)],
                              units * row->gridUnit};
        }
    }
    return std::nullopt;
}

std::unique_ptr<plat::Bitmap> DrawMask(const MaskRecipe& recipe)
{
    MaskFrame frame = recipe.rule->frame(recipe.length);
    auto mask = plat::CreateMonoBitmap(frame.width, frame.height);
    if (!mask)
        return nullptr;
    for (int r = 1; r <= frame.lastRow; ++r) {
        RowRun run = recipe.rule->run(recipe.length, r);
        for (int c = run.first; c <= run.last; ++c)
            mask->setPixelValue(c, r, 1);
    }
    return mask;
}

std::unique_ptr<plat::Bitmap> DrawSeeThroughPattern()
{
    constexpr int kSide = 90; // covers the largest mask (86 wide) at any of the three phases
    auto pattern = plat::CreateMonoBitmap(kSide, kSide);
    for (int y = 0; y < kSide; ++y)
        for (int x = y % 2; x < kSide; x += 2)
            pattern->setPixelValue(x, y, 1);
    return pattern;
}

} // namespace

const MaskNumberRow* MaskNumbersForUnit(int gridUnit)
{
    for (const MaskNumberRow* row : kAllMaskRows)
        if (row->gridUnit == gridUnit)
            return row;
    return nullptr;
}

int MaskNumberOfTile(const MaskNumberRow& row, int tileIndex)
{
    static constexpr int MaskNumberRow::*kTileFields[7] = {
        &MaskNumberRow::smallTriangle, &MaskNumberRow::smallTriangle,
        &MaskNumberRow::mediumTriangle, &MaskNumberRow::square,
        &MaskNumberRow::parallelogram, &MaskNumberRow::largeTriangle,
        &MaskNumberRow::largeTriangle,
    };
    if (tileIndex < 0 || tileIndex >= 7)
        return -1;
    return row.*kTileFields[tileIndex];
}

const plat::Bitmap* TileMask(int maskNumber)
{
    // Masks are drawn on first use and kept for the run.
    static std::map<int, std::unique_ptr<plat::Bitmap>> made;
    auto found = made.find(maskNumber);
    if (found != made.end())
        return found->second.get();
    std::optional<MaskRecipe> recipe = FindMaskRecipe(maskNumber);
    if (!recipe)
        return nullptr;
    return made.emplace(maskNumber, DrawMask(*recipe)).first->second.get();
}

std::unique_ptr<plat::Bitmap> LoadTileMask(int maskNumber)
{
    const plat::Bitmap* mask = TileMask(maskNumber);
    if (!mask)
        return nullptr;
    auto copy = plat::CreateBitmapLike(*mask, mask->width(), mask->height());
    if (copy)
        std::ranges::copy(mask->bits(), copy->bits().begin());
    return copy;
}

const plat::Bitmap& SeeThroughPattern()
{
    static const std::unique_ptr<plat::Bitmap> pattern = DrawSeeThroughPattern();
    return *pattern;
}
