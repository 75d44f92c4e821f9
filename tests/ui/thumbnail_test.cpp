// The browser's thumbnails: every tile of a shipped puzzle shows whole; a damaged record is cut at
// the edges.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "data/puzzle_pack.h"
#include "support/game_fixture.h"
#include "ui/puzzle_browser.h"

namespace {

class Thumbnails : public testsupport::GameFixture {
protected:
    // Black pixels; anything neither black nor white counts against it.
    static int InkOf(const plat::Bitmap& image)
    {
        int ink = 0;
        plat::DrawContext dc(const_cast<plat::Bitmap*>(&image));
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                plat::Color c = plat::GetPixel(dc, x, y);
                ink += c == plat::kBlack ? 1 : c == plat::kWhite ? 0 : -1000;
            }
        return ink;
    }
    // The pixels of the seven tile shapes of a record at grid unit 1, counted on their masks (a
    // mirrored parallelogram covers as many as the other).
    static int TileArea(const PuzzleRecord& record)
    {
        int area = 0;
        for (int j = 0; j < kTileCount; ++j) {
            const plat::Bitmap* mask = CheckSet[j].masks[OrientationOf(record, j)];
            plat::DrawContext dc(const_cast<plat::Bitmap*>(mask));
            for (int y = 0; y < mask->height(); ++y)
                for (int x = 0; x < mask->width(); ++x)
                    area += plat::GetPixel(dc, x, y) == plat::kWhite;
        }
        return area;
    }
};

TEST_F(Thumbnails, ShippedPuzzlesShowWholeADamagedOneIsCut)
{
    std::ifstream in(std::string(ZENTILES_SOURCE_DIR) + "/assets/freeware.zdb", std::ios::binary);
    std::string bytes(std::istreambuf_iterator<char>(in), {});
    ASSERT_EQ(bytes.size(), sizeof(PackBlock));
    PackBlock block;
    std::copy_n(bytes.data(), sizeof block, reinterpret_cast<char*>(&block));
    ASSERT_GT(block.count, 0);
    for (int i = 0; i < block.count; ++i) {
        const PuzzleRecord& record = block.puzzles[i];
        auto image = MakeThumbnail(record);
        ASSERT_EQ(image->size(), (plat::Size{kThumbnailWidth, kThumbnailHeight}));
        EXPECT_EQ(InkOf(*image), TileArea(record)) << "puzzle " << i << ": no tile lost, cut or doubled";
    }

    // Too wide and too tall: centred by a negative offset, cut on both sides.
    PuzzleRecord damaged = block.puzzles[0];
    damaged.x[2] = 40;
    damaged.y[5] = -30;
    damaged.orientation[3] = -7;
    int ink = InkOf(*MakeThumbnail(damaged));
    EXPECT_GT(ink, 0);
    EXPECT_LT(ink, TileArea(damaged)) << "what lies outside is cut";
    // Far outside: nothing of it lands in the picture, and nothing is drawn past it.
    damaged.x[2] = 127;
    damaged.y[5] = -128;
    EXPECT_EQ(InkOf(*MakeThumbnail(damaged)), 0);
}

} // namespace
