// Tile masks: every mask against its outline, the mirror pairs, the numbering and the
// see-through pattern.
#include "resources/tile_masks.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

// Set columns of one row, first to last inclusive; an empty row has first > last.
struct RowRun {
    int first = 1;
    int last = 0;
    bool empty() const { return first > last; }
    friend bool operator==(const RowRun&, const RowRun&) = default;
};

// A row where an edge of the outline bends, with its run of set columns.
struct Corner {
    int row;
    int first;
    int last;
};

// A mask as worked out by hand: number, size, and the corner rows of its outline from the top
// to the bottom. Between two corners both edges run straight; rows above the first corner and
// below the last are clear.
struct Outline {
    int number;
    int width;
    int height;
    std::vector<Corner> corners;
};

const Outline kOutlines[] = {
    {150, 86, 44, {{1, 42, 43}, {42, 1, 84}}}, // large triangle, orientation 0
    {151, 57, 57, {{1, 1, 55}, {55, 1, 1}}}, // large triangle, orientation 1
    {152, 44, 85, {{1, 42, 42}, {42, 1, 42}, {83, 42, 42}}}, // large triangle, orientation 2
    {153, 58, 58, {{1, 1, 1}, {56, 1, 56}}}, // large triangle, orientation 3
    {154, 85, 43, {{1, 2, 83}, {41, 42, 43}}}, // large triangle, orientation 4
    {155, 58, 58, {{1, 56, 56}, {56, 1, 56}}}, // large triangle, orientation 5
    {156, 44, 85, {{1, 1, 1}, {42, 1, 42}, {83, 1, 1}}}, // large triangle, orientation 6
    {157, 58, 57, {{1, 2, 56}, {55, 56, 56}}}, // large triangle, orientation 7
    {166, 58, 30, {{1, 28, 29}, {28, 1, 56}}}, // medium triangle, orientation 0
    {167, 43, 43, {{1, 1, 41}, {41, 1, 1}}}, // medium triangle, orientation 1
    {168, 30, 57, {{1, 28, 28}, {28, 1, 28}, {55, 28, 28}}}, // medium triangle, orientation 2
    {169, 44, 44, {{1, 1, 1}, {42, 1, 42}}}, // medium triangle, orientation 3
    {170, 57, 29, {{1, 2, 55}, {27, 28, 29}}}, // medium triangle, orientation 4
    {171, 44, 44, {{1, 42, 42}, {42, 1, 42}}}, // medium triangle, orientation 5
    {172, 30, 57, {{1, 1, 1}, {28, 1, 28}, {55, 1, 1}}}, // medium triangle, orientation 6
    {173, 44, 43, {{1, 2, 42}, {41, 42, 42}}}, // medium triangle, orientation 7
    {182, 44, 23, {{1, 21, 22}, {21, 1, 42}}}, // small triangle, orientation 0
    {183, 29, 29, {{1, 1, 27}, {27, 1, 1}}}, // small triangle, orientation 1
    {184, 23, 43, {{1, 21, 21}, {21, 1, 21}, {41, 21, 21}}}, // small triangle, orientation 2
    {185, 30, 30, {{1, 1, 1}, {28, 1, 28}}}, // small triangle, orientation 3
    {186, 43, 22, {{1, 2, 41}, {20, 21, 22}}}, // small triangle, orientation 4
    {187, 30, 30, {{1, 28, 28}, {28, 1, 28}}}, // small triangle, orientation 5
    {188, 23, 43, {{1, 1, 1}, {21, 1, 21}, {41, 1, 1}}}, // small triangle, orientation 6
    {189, 30, 29, {{1, 2, 28}, {27, 28, 28}}}, // small triangle, orientation 7
    {198, 30, 30, {{1, 1, 28}, {28, 1, 28}}}, // square, axis-aligned
    {199, 44, 43, {{1, 21, 22}, {21, 1, 42}, {41, 21, 22}}}, // square, diamond
    {202, 65, 23, {{1, 2, 43}, {21, 22, 63}}}, // parallelogram N0
    {203, 57, 30, {{1, 28, 55}, {28, 1, 28}}}, // parallelogram N1
    {204, 23, 64, {{1, 21, 21}, {21, 1, 21}, {42, 1, 21}, {62, 1, 1}}}, // parallelogram N2
    {205, 30, 57, {{1, 1, 1}, {28, 1, 28}, {55, 28, 28}}}, // parallelogram N3
    {206, 64, 23, {{1, 21, 62}, {21, 1, 42}}}, // parallelogram M0
    {207, 58, 30, {{1, 2, 29}, {28, 29, 56}}}, // parallelogram M1
    {208, 23, 64, {{1, 1, 1}, {21, 1, 21}, {42, 1, 21}, {62, 21, 21}}}, // parallelogram M2
    {209, 30, 57, {{1, 28, 28}, {28, 1, 28}, {55, 1, 1}}}, // parallelogram M3
    {232, 38, 20, {{1, 18, 19}, {18, 1, 36}}}, // large triangle, orientation 0
    {233, 25, 25, {{1, 1, 23}, {23, 1, 1}}}, // large triangle, orientation 1
    {234, 20, 37, {{1, 18, 18}, {18, 1, 18}, {35, 18, 18}}}, // large triangle, orientation 2
    {235, 26, 26, {{1, 1, 1}, {24, 1, 24}}}, // large triangle, orientation 3
    {236, 37, 19, {{1, 2, 35}, {17, 18, 19}}}, // large triangle, orientation 4
    {237, 26, 26, {{1, 24, 24}, {24, 1, 24}}}, // large triangle, orientation 5
    {238, 20, 37, {{1, 1, 1}, {18, 1, 18}, {35, 1, 1}}}, // large triangle, orientation 6
    {239, 26, 25, {{1, 2, 24}, {23, 24, 24}}}, // large triangle, orientation 7
    {240, 26, 14, {{1, 12, 13}, {12, 1, 24}}}, // medium triangle, orientation 0
    {241, 19, 19, {{1, 1, 17}, {17, 1, 1}}}, // medium triangle, orientation 1
    {242, 14, 25, {{1, 12, 12}, {12, 1, 12}, {23, 12, 12}}}, // medium triangle, orientation 2
    {243, 20, 20, {{1, 1, 1}, {18, 1, 18}}}, // medium triangle, orientation 3
    {244, 25, 13, {{1, 2, 23}, {11, 12, 13}}}, // medium triangle, orientation 4
    {245, 20, 20, {{1, 18, 18}, {18, 1, 18}}}, // medium triangle, orientation 5
    {246, 14, 25, {{1, 1, 1}, {12, 1, 12}, {23, 1, 1}}}, // medium triangle, orientation 6
    {247, 20, 19, {{1, 2, 18}, {17, 18, 18}}}, // medium triangle, orientation 7
    {248, 20, 11, {{1, 9, 10}, {9, 1, 18}}}, // small triangle, orientation 0
    {249, 13, 13, {{1, 1, 11}, {11, 1, 1}}}, // small triangle, orientation 1
    {250, 11, 19, {{1, 9, 9}, {9, 1, 9}, {17, 9, 9}}}, // small triangle, orientation 2
    {251, 14, 14, {{1, 1, 1}, {12, 1, 12}}}, // small triangle, orientation 3
    {252, 19, 10, {{1, 2, 17}, {8, 9, 10}}}, // small triangle, orientation 4
    {253, 14, 14, {{1, 12, 12}, {12, 1, 12}}}, // small triangle, orientation 5
    {254, 11, 19, {{1, 1, 1}, {9, 1, 9}, {17, 1, 1}}}, // small triangle, orientation 6
    {255, 14, 13, {{1, 2, 12}, {11, 12, 12}}}, // small triangle, orientation 7
    {256, 29, 11, {{1, 2, 19}, {9, 10, 27}}}, // parallelogram N0
    {257, 25, 14, {{1, 12, 23}, {12, 1, 12}}}, // parallelogram N1
    {258, 11, 28, {{1, 9, 9}, {9, 1, 9}, {18, 1, 9}, {26, 1, 1}}}, // parallelogram N2
    {259, 14, 25, {{1, 1, 1}, {12, 1, 12}, {23, 12, 12}}}, // parallelogram N3
    {260, 28, 11, {{1, 9, 26}, {9, 1, 18}}}, // parallelogram M0
    {261, 26, 14, {{1, 1, 13}, {12, 12, 24}}}, // parallelogram M1
    {262, 11, 28, {{1, 1, 1}, {9, 1, 9}, {18, 1, 9}, {26, 9, 9}}}, // parallelogram M2
    {263, 14, 25, {{1, 12, 12}, {12, 1, 12}, {23, 1, 1}}}, // parallelogram M3
    {268, 14, 14, {{1, 1, 12}, {12, 1, 12}}}, // square, axis-aligned
    {269, 20, 19, {{1, 9, 10}, {9, 1, 18}, {17, 9, 10}}}, // square, diamond
    {270, 14, 8, {{1, 6, 7}, {6, 1, 12}}}, // large triangle, orientation 0
    {271, 9, 9, {{1, 1, 7}, {7, 1, 1}}}, // large triangle, orientation 1
    {272, 8, 13, {{1, 6, 6}, {6, 1, 6}, {11, 6, 6}}}, // large triangle, orientation 2
    {273, 10, 10, {{1, 1, 1}, {8, 1, 8}}}, // large triangle, orientation 3
    {274, 13, 7, {{1, 2, 11}, {5, 6, 7}}}, // large triangle, orientation 4
    {275, 10, 10, {{1, 8, 8}, {8, 1, 8}}}, // large triangle, orientation 5
    {276, 8, 13, {{1, 1, 1}, {6, 1, 6}, {11, 1, 1}}}, // large triangle, orientation 6
    {277, 10, 9, {{1, 2, 8}, {7, 8, 8}}}, // large triangle, orientation 7
    {278, 10, 6, {{1, 4, 5}, {4, 1, 8}}}, // medium triangle, orientation 0
    {279, 7, 7, {{1, 1, 5}, {5, 1, 1}}}, // medium triangle, orientation 1
    {280, 6, 9, {{1, 4, 4}, {4, 1, 4}, {7, 4, 4}}}, // medium triangle, orientation 2
    {281, 8, 8, {{1, 1, 1}, {6, 1, 6}}}, // medium triangle, orientation 3
    {282, 9, 5, {{1, 2, 7}, {3, 4, 5}}}, // medium triangle, orientation 4
    {283, 8, 8, {{1, 6, 6}, {6, 1, 6}}}, // medium triangle, orientation 5
    {284, 6, 9, {{1, 1, 1}, {4, 1, 4}, {7, 1, 1}}}, // medium triangle, orientation 6
    {285, 8, 7, {{1, 2, 6}, {5, 6, 6}}}, // medium triangle, orientation 7
    {286, 8, 5, {{1, 3, 4}, {3, 1, 6}}}, // small triangle, orientation 0
    {287, 5, 5, {{1, 1, 3}, {3, 1, 1}}}, // small triangle, orientation 1
    {288, 5, 7, {{1, 3, 3}, {3, 1, 3}, {5, 3, 3}}}, // small triangle, orientation 2
    {289, 6, 6, {{1, 1, 1}, {4, 1, 4}}}, // small triangle, orientation 3
    {290, 7, 4, {{1, 2, 5}, {2, 3, 4}}}, // small triangle, orientation 4
    {291, 6, 6, {{1, 4, 4}, {4, 1, 4}}}, // small triangle, orientation 5
    {292, 5, 7, {{1, 1, 1}, {3, 1, 3}, {5, 1, 1}}}, // small triangle, orientation 6
    {293, 6, 5, {{1, 2, 4}, {3, 4, 4}}}, // small triangle, orientation 7
    {294, 11, 5, {{1, 2, 7}, {3, 4, 9}}}, // parallelogram N0
    {295, 9, 6, {{1, 4, 7}, {4, 1, 4}}}, // parallelogram N1
    {296, 5, 10, {{1, 3, 3}, {3, 1, 3}, {6, 1, 3}, {8, 1, 1}}}, // parallelogram N2
    {297, 6, 9, {{1, 1, 1}, {4, 1, 4}, {7, 4, 4}}}, // parallelogram N3
    {298, 10, 5, {{1, 3, 8}, {3, 1, 6}}}, // parallelogram M0
    {299, 10, 6, {{1, 2, 5}, {4, 5, 8}}}, // parallelogram M1
    {300, 5, 10, {{1, 1, 1}, {3, 1, 3}, {6, 1, 3}, {8, 3, 3}}}, // parallelogram M2
    {301, 6, 9, {{1, 4, 4}, {4, 1, 4}, {7, 1, 1}}}, // parallelogram M3
    {302, 6, 6, {{1, 1, 4}, {4, 1, 4}}}, // square, axis-aligned
    {303, 8, 7, {{1, 3, 4}, {3, 1, 6}, {5, 3, 4}}}, // square, diamond
};

// The run the outline asks for in row y (straight edges between corners).
RowRun ExpectedRun(const Outline& outline, int y)
{
    const std::vector<Corner>& c = outline.corners;
    for (std::size_t i = 0; i + 1 < c.size(); ++i) {
        if (y < c[i].row || y > c[i + 1].row)
            continue;
        int span = c[i + 1].row - c[i].row, step = y - c[i].row;
        return {c[i].first + (c[i + 1].first - c[i].first) * step / span,
                c[i].last + (c[i + 1].last - c[i].last) * step / span};
    }
    return {};
}

// The run of set pixels in row y, or empty; fails the test if the set pixels are not one run.
RowRun ActualRun(const plat::Bitmap& mask, int y)
{
    RowRun run;
    for (int x = 0; x < mask.width(); ++x) {
        if (mask.pixelValue(x, y) == 0)
            continue;
        if (!run.empty()) {
            EXPECT_EQ(run.last + 1, x) << "gap in row " << y;
        }
        run = {run.empty() ? x : run.first, x};
    }
    return run;
}

std::vector<RowRun> RowRuns(const plat::Bitmap& mask)
{
    std::vector<RowRun> runs;
    for (int y = 0; y < mask.height(); ++y)
        runs.push_back(ActualRun(mask, y));
    return runs;
}

TEST(TileMasks, EveryMaskMatchesItsOutline)
{
    for (const Outline& outline : kOutlines) {
        SCOPED_TRACE(outline.number);
        const plat::Bitmap* mask = TileMask(outline.number);
        ASSERT_NE(mask, nullptr);
        EXPECT_TRUE(mask->isMonochrome());
        ASSERT_EQ(mask->size(), (plat::Size{outline.width, outline.height}));
        for (int y = 0; y < outline.height; ++y)
            EXPECT_EQ(ActualRun(*mask, y), ExpectedRun(outline, y)) << "row " << y;
    }
}

TEST(TileMasks, NumbersOutsideTheTablesNameNoMask)
{
    std::set<int> known;
    for (const Outline& outline : kOutlines)
        known.insert(outline.number);
    EXPECT_EQ(known.size(), 3u * (3 * 8 + 2 + 8)); // three scales of 3 triangles, square, parallelogram
    for (int number = -1; number <= 400; ++number)
        if (!known.contains(number)) {
            EXPECT_EQ(TileMask(number), nullptr) << number; // 231 is the pattern, not a mask
        }
    EXPECT_EQ(LoadTileMask(231), nullptr);
    EXPECT_EQ(LoadTileMask(0), nullptr);
}

// Mirroring relies on pairs of masks being left-to-right mirror images: the runs of one,
// reflected about a fixed column, are the runs of the other.
bool MirrorImages(int leftNumber, int rightNumber)
{
    std::vector<RowRun> a = RowRuns(*TileMask(leftNumber)), b = RowRuns(*TileMask(rightNumber));
    if (a.size() != b.size())
        return false;
    int axis = -1;
    for (std::size_t y = 0; y < a.size(); ++y) {
        if (a[y].empty() || b[y].empty()) {
            if (a[y].empty() != b[y].empty())
                return false;
            continue;
        }
        if (axis < 0)
            axis = a[y].first + b[y].last;
        if (a[y].first + b[y].last != axis || a[y].last + b[y].first != axis)
            return false;
    }
    return axis > 0;
}

TEST(TileMasks, MirroredShapesAreMirrorImages)
{
    for (int unit : {7, 3, 1}) {
        const MaskNumberRow& row = *MaskNumbersForUnit(unit);
        SCOPED_TRACE(unit);
        for (int first : {row.smallTriangle, row.mediumTriangle, row.largeTriangle})
            for (int k = 0; k < 8; ++k)
                EXPECT_TRUE(MirrorImages(first + k, first + (8 - k) % 8)) << "orientation " << k;
        EXPECT_TRUE(MirrorImages(row.square, row.square));
        EXPECT_TRUE(MirrorImages(row.square + 1, row.square + 1));
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(MirrorImages(row.parallelogram + k, row.parallelogram + 4 + k),
                      unit != 3 || k != 1)
                << "shape " << k;
    }
    // The preview-size M1 is N1 mirrored with one more pixel at the left of every row.
    std::vector<RowRun> n1 = RowRuns(*TileMask(257)), m1 = RowRuns(*TileMask(261));
    ASSERT_EQ(n1.size(), m1.size());
    for (std::size_t y = 1; y + 1 < n1.size(); ++y)
        EXPECT_EQ(m1[y].last - m1[y].first, n1[y].last - n1[y].first + 1) << "row " << y;
}

TEST(TileMasks, RowsPerGridUnitAndTileIndex)
{
    struct Case {
        int unit;
        int tileMasks[7];
    };
    const Case cases[] = {
        {7, {182, 182, 166, 198, 202, 150, 150}},
        {3, {248, 248, 240, 268, 256, 232, 232}},
        {1, {286, 286, 278, 302, 294, 270, 270}},
    };
    for (const Case& c : cases) {
        const MaskNumberRow* row = MaskNumbersForUnit(c.unit);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->gridUnit, c.unit);
        for (int tile = 0; tile < 7; ++tile)
            EXPECT_EQ(MaskNumberOfTile(*row, tile), c.tileMasks[tile]) << c.unit << "/" << tile;
        EXPECT_EQ(MaskNumberOfTile(*row, -1), -1);
        EXPECT_EQ(MaskNumberOfTile(*row, 7), -1);
    }
    for (int unit : {0, 2, 4, 5, 14, -7})
        EXPECT_EQ(MaskNumbersForUnit(unit), nullptr) << unit;
}

TEST(TileMasks, KeptOnceAndCopiedOnLoad)
{
    const plat::Bitmap* kept = TileMask(203);
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(TileMask(203), kept);

    std::unique_ptr<plat::Bitmap> copy = LoadTileMask(203);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy.get(), kept);
    EXPECT_TRUE(copy->isMonochrome());
    ASSERT_EQ(copy->size(), kept->size());
    EXPECT_EQ(RowRuns(*copy), RowRuns(*kept));

    // The copy is the caller's own: changing it leaves the kept mask alone.
    copy->setPixelValue(0, 0, 1);
    EXPECT_EQ(kept->pixelValue(0, 0), 0u);
}

TEST(TileMasks, SeeThroughPatternIsACheckerboard)
{
    const plat::Bitmap& pattern = SeeThroughPattern();
    EXPECT_EQ(&SeeThroughPattern(), &pattern);
    EXPECT_TRUE(pattern.isMonochrome());
    ASSERT_EQ(pattern.size(), (plat::Size{90, 90}));
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 90; ++x)
            ASSERT_EQ(pattern.pixelValue(x, y), (x + y) % 2 == 0 ? 1u : 0u) << x << "," << y;
}

} // namespace
