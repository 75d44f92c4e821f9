// The solved check: the puzzle's solution and the player's arrangement, one pixel per grid cell,
// are both inverted into a small 1-bit surface; the puzzle is solved when every pixel cancels.
#include "game/solved_check.h"

#include <algorithm>

#include "data/puzzle_pack.h"
#include "data/settings.h"
#include "platform/raster.h"
#include "tiles/tile_set.h"

namespace {

constexpr int kParallelogram = 4;

// Gives the check set's parallelogram the wanted shape without redrawing or checking.
void ShapeCheckParallelogram(bool mirrored)
{
    TileSprite& p = CheckSet[kParallelogram];
    if (p.mirrored != mirrored)
        p.flipVertical(nullptr);
}

// Size of check tile i's image in an orientation, without moving the tile.
plat::Size ImageSize(int tile, int orientation)
{
    const plat::Bitmap* image = CheckSet[tile].images[orientation & 7];
    return image ? image->size() : plat::Size{};
}

} // namespace

bool IsPuzzleSolved()
{
    int index = GameSettings.currentPuzzle;
    if (index < 0 || index >= kPuzzlesPerPack || !CheckSet.sprites[0])
        return false;
    const PuzzleRecord& record = PuzzlePack.block.puzzles[index];

    plat::DrawContext dc;
    auto surface = plat::CreateCompatibleBitmap(dc, kCheckWidth, kCheckHeight);
    dc.select(surface.get());
    plat::FillRect(dc, {0, 0, kCheckWidth, kCheckHeight}, plat::Brush{plat::kBlack});

    ShapeCheckParallelogram(record.mirrored != 0);
    int width = 0, height = 0;
    for (int i = 0; i < kTileCount; ++i) {
        int orientation = OrientationOf(record, i);
        plat::Size size = ImageSize(i, orientation);
        width = std::max(width, record.x[i] + size.width);
        height = std::max(height, record.y[i] + size.height);
    }
    for (int i = 0; i < kTileCount; ++i) {
        CheckSet[i].place(record.x[i], record.y[i], OrientationOf(record, i));
        CheckSet[i].drawMask(dc);
    }

    int c0 = PlaySet[0].x / 7, r0 = PlaySet[0].y / 7;
    for (int k = 1; k < kTileCount; ++k) {
        c0 = std::min(c0, PlaySet[k].x / 7);
        r0 = std::min(r0, PlaySet[k].y / 7);
    }
    ShapeCheckParallelogram(PlaySet[kParallelogram].mirrored);
    for (int k = 0; k < kTileCount; ++k) {
        const TileSprite& tile = PlaySet[k];
        int column = tile.x / 7 - c0, row = tile.y / 7 - r0;
        plat::Size size = ImageSize(k, tile.orientation);
        width = std::max(width, column + size.width);
        height = std::max(height, row + size.height);
        CheckSet[k].place(column, row, tile.orientation);
        CheckSet[k].drawMask(dc);
    }

    // Outside the surface reads as the invalid colour, never black: too large is never solved.
    for (int l = 0; l < width; ++l)
        for (int m = 0; m < height; ++m)
            if (plat::GetPixel(dc, l, m) != plat::kBlack)
                return false;
    return true;
}
