// Building the tile sets: masks for every sprite, images in solid colour, picture or texture.
#include "tiles/tile_set.h"

#include <functional>
#include <utility>

#include "app/layers.h"
#include "platform/bitmap_file.h"
#include "tiles/fill_styles.h"

TileSet PlaySet;
TileSet HintSet;
TileSet PreviewSet;
TileSet CheckSet;
TileSprite* ZOrderList[kTileCount] = {};

void BringToFront(int i)
{
    if (i <= 0 || i >= kTileCount)
        return;
    TileSprite* chosen = ZOrderList[i];
    for (int k = i; k >= 1; --k)
        ZOrderList[k] = ZOrderList[k - 1];
    ZOrderList[0] = chosen;
}

namespace {

constexpr int kSquareTile = 3;
constexpr int kParallelogramTile = 4;
using plat::kRopSourceOrBlack;

// Where each tile lies in the assembled square of each texture turn (step 0..7), and the
// orientation it is built in at step 0.
struct TextureLayout {
    int first;
    plat::Point anchors[8];
};
constexpr TextureLayout kTextureLayouts[kTileCount] = {
    {4, {{23, 23}, {32, 34}, {23, 23}, {34, 64}, {23, 44}, {63, 63}, {44, 23}, {63, 32}}},
    {2, {{65, 44}, {88, 34}, {44, 2}, {34, 8}, {2, 2}, {7, 63}, {2, 65}, {63, 88}}},
    {7, {{44, 2}, {32, 6}, {2, 2}, {6, 36}, {2, 44}, {35, 91}, {44, 44}, {91, 32}}},
    {1, {{44, 23}, {60, 34}, {23, 2}, {34, 36}, {2, 23}, {35, 63}, {23, 44}, {63, 60}}},
    {0, {{2, 2}, {4, 34}, {2, 23}, {34, 64}, {23, 65}, {63, 63}, {65, 2}, {63, 4}}},
    {0, {{2, 44}, {60, 62}, {44, 2}, {62, 8}, {2, 2}, {7, 7}, {2, 2}, {7, 60}}},
    {6, {{2, 2}, {4, 62}, {2, 44}, {62, 64}, {44, 2}, {63, 7}, {2, 2}, {7, 4}}},
};

// Pixel corrections per orientation built, so the hand-fitted shapes meet the texture exactly.
constexpr plat::Point kTextureNudges[kTileCount][8] = {
    {{-1, 0}, {-1, 0}, {-1, -1}, {-1, 1}, {0, 0}, {2, -1}, {0, 1}, {0, -1}},
    {{-1, 1}, {0, 4}, {0, 0}, {4, -1}, {0, 0}, {0, -4}, {-1, 0}, {-4, 1}},
    {{0, -3}, {0, 0}, {-2, 0}, {-1, 0}, {0, 3}, {1, 0}, {2, 0}, {0, 0}},
    {{0, 2}, {0, 0}, {2, -1}, {0, 0}, {0, -2}, {-1, 0}, {-2, 1}, {-1, 0}},
    {{0, 0}, {0, -1}, {0, 1}, {0, 0}, {0, 1}, {0, 1}, {0, -2}, {0, 0}},
    {{0, 0}, {2, 0}, {0, 0}, {1, -2}, {-1, 0}, {-2, -1}, {-1, 0}, {-2, 2}},
    {{0, 1}, {2, 0}, {0, 1}, {0, -1}, {-1, -1}, {-2, 0}, {0, 0}, {-1, 2}},
};
// The mirrored parallelogram, by orientation before its arrays are reversed.
constexpr plat::Point kMirroredParallelogramNudges[8] = {{20, 0},  {0, 29},  {0, -20}, {30, 0},
                                                         {-22, 1}, {0, -31}, {0, 21},  {-32, 0}};

const SpriteVariant& VariantOfTile(int tileIndex)
{
    if (tileIndex == kSquareTile)
        return SquareSprite;
    if (tileIndex == kParallelogramTile)
        return ParallelogramSprite;
    return TriangleSprite;
}

// A new sprite of the tile's variant with the eight masks of its shape at that scale.
SpriteHandle NewSpriteWithMasks(int tileIndex, const MaskNumberRow& row, int gridUnit)
{
    SpriteHandle sprite = NewSprite(VariantOfTile(tileIndex), gridUnit);
    int number = MaskNumberOfTile(row, tileIndex);
    if (tileIndex == kSquareTile) {
        plat::Bitmap* axisAligned = sprite->keep(LoadTileMask(number));
        plat::Bitmap* diamond = sprite->keep(LoadTileMask(number + 1));
        for (int k = 0; k < 8; ++k)
            sprite->masks[k] = k % 2 == 0 ? axisAligned : diamond;
    } else if (tileIndex == kParallelogramTile) {
        for (int k = 0; k < 4; ++k) {
            sprite->masks[k] = sprite->masks[k + 4] = sprite->keep(LoadTileMask(number + k));
            sprite->mirroredMasks[k] = sprite->mirroredMasks[k + 4] =
                sprite->keep(LoadTileMask(number + 4 + k));
        }
    } else {
        sprite->maskBase = number;
        for (int k = 0; k < 8; ++k)
            sprite->masks[k] = sprite->keep(LoadTileMask(number + k));
    }
    return sprite;
}

using ImageMaker = std::function<std::unique_ptr<plat::Bitmap>(const plat::Bitmap* mask)>;

// One image per orientation; the parallelogram's shapes repeat every four orientations, so
// orientations k and k + 4 share one image on each side.
void GiveImages(TileSprite& sprite, const ImageMaker& make)
{
    bool shared = sprite.variant == &ParallelogramSprite;
    int distinct = shared ? 4 : 8;
    for (int k = 0; k < distinct; ++k) {
        sprite.images[k] = sprite.keep(make(sprite.masks[k]));
        if (shared) {
            sprite.images[k + 4] = sprite.images[k];
            sprite.mirroredImages[k] = sprite.mirroredImages[k + 4] =
                sprite.keep(make(sprite.mirroredMasks[k]));
        }
    }
}

// After this, mirrored orientation k shows shape M(3 - k mod 4), so turning the mirrored tile
// with increasing orientation goes counter-clockwise like the normal one.
void ReverseMirroredArrays(TileSprite& sprite)
{
    for (int j = 0; j < 4; ++j) {
        std::swap(sprite.mirroredImages[j], sprite.mirroredImages[7 - j]);
        std::swap(sprite.mirroredMasks[j], sprite.mirroredMasks[7 - j]);
    }
}

// Destroys the set's sprites and makes seven new ones with masks and images from giveImages.
void RebuildSet(TileSet& set, const MaskNumberRow& row, int gridUnit,
                const std::function<void(TileSprite&, int tile)>& giveImages)
{
    for (SpriteHandle& sprite : set.sprites)
        sprite.reset();
    for (int tile = 0; tile < kTileCount; ++tile) {
        set.sprites[tile] = NewSpriteWithMasks(tile, row, gridUnit);
        giveImages(*set.sprites[tile], tile);
        if (tile == kParallelogramTile)
            ReverseMirroredArrays(*set.sprites[tile]);
        set.sprites[tile]->refreshSize();
    }
    for (int tile = 0; tile < kTileCount; ++tile)
        set[tile].tileIndex = tile;
    if (&set == &PlaySet)
        for (int tile = 0; tile < kTileCount; ++tile)
            ZOrderList[tile] = PlaySet.sprites[tile].get();
}

int MaskWidth(const plat::Bitmap* mask)
{
    return mask ? mask->width() : 1;
}
int MaskHeight(const plat::Bitmap* mask)
{
    return mask ? mask->height() : 1;
}

// Copies source pixels at `at` where the mask is set, black elsewhere, into a new image.
std::unique_ptr<plat::Bitmap> CutImage(const plat::Bitmap* source, plat::Point at,
                                       const plat::Bitmap* mask)
{
    auto image = plat::CreateScreenBitmap(MaskWidth(mask), MaskHeight(mask));
    if (!image || !source || !mask)
        return image;
    plat::DrawContext imageDc(image.get());
    plat::DrawContext sourceDc(const_cast<plat::Bitmap*>(source));
    plat::MaskBlt(imageDc, 0, 0, image->width(), image->height(), sourceDc, at.x, at.y, mask, 0, 0,
                  kRopSourceOrBlack);
    return image;
}

plat::Point Plus(plat::Point a, plat::Point b)
{
    return {a.x + b.x, a.y + b.y};
}

// Step k cuts orientation (first + k) mod 8 from texture turn k, for both sides of tile 4.
void GiveTextureImages(TileSprite& sprite, int tile,
                       const std::unique_ptr<plat::Bitmap> (&turns)[8],
                       const std::unique_ptr<plat::Bitmap> (&mirroredTurns)[8])
{
    for (int step = 0; step < 8; ++step) {
        int o = (TextureFirstOrientation(tile) + step) % 8;
        plat::Point anchor = TextureAnchor(tile, step);
        sprite.images[o] = sprite.keep(CutImage(
            turns[step].get(), Plus(anchor, TextureNudge(tile, o, false)), sprite.masks[o]));
        if (sprite.variant == &ParallelogramSprite)
            sprite.mirroredImages[o] = sprite.keep(
                CutImage(mirroredTurns[step].get(), Plus(anchor, TextureNudge(tile, o, true)),
                         sprite.mirroredMasks[o]));
    }
}

} // namespace

int TextureFirstOrientation(int tileIndex)
{
    return kTextureLayouts[tileIndex].first;
}

plat::Point TextureAnchor(int tileIndex, int step)
{
    return kTextureLayouts[tileIndex].anchors[step];
}

plat::Point TextureNudge(int tileIndex, int orientation, bool mirroredShape)
{
    if (mirroredShape && tileIndex == kParallelogramTile)
        return kMirroredParallelogramNudges[orientation];
    return kTextureNudges[tileIndex][orientation];
}

// The top-left corner, as large as the sprite's largest mask, of a layer-sized surface filled with
// the colour inside the default black outline: all that cutting the sprite's images reads of it.
std::unique_ptr<plat::Bitmap> SolidCorner(const TileSprite& sprite, plat::Color color)
{
    int w = 1, h = 1;
    for (plat::Bitmap* const* masks : {sprite.masks, sprite.mirroredMasks})
        for (int k = 0; k < 8; ++k) {
            w = std::max(w, MaskWidth(masks[k]));
            h = std::max(h, MaskHeight(masks[k]));
        }
    auto corner = plat::CreateScreenBitmap(std::min(w, kLayerWidth), std::min(h, kLayerHeight));
    plat::DrawContext cornerDc(corner.get());
    cornerDc.brush = plat::Brush{color};
    // No mask reaches the outermost rows and columns; drawn whole all the same, clipped.
    plat::Rectangle(cornerDc, 0, 0, kLayerWidth, kLayerHeight);
    return corner;
}

void buildSolidSet(TileSet& set, plat::Color color, const MaskNumberRow& row, int gridUnit)
{
    RebuildSet(set, row, gridUnit, [&](TileSprite& sprite, int) {
        auto corner = SolidCorner(sprite, color);
        GiveImages(sprite, [&](const plat::Bitmap* mask) {
            return CutImage(corner.get(), {0, 0}, mask);
        });
    });
}

void buildPictureSet(TileSet& set, const std::string& path, const MaskNumberRow& row, int gridUnit)
{
    // A picture that cannot be read leaves black tiles rather than whatever was there.
    PictureScratchLayer.dc.brush = plat::Brush{plat::kBlack};
    plat::PatBlt(PictureScratchLayer.dc, 0, 0, kLayerWidth, kLayerHeight, plat::kRopPatCopy);
    if (auto picture = plat::LoadBitmapBlock(path, kLayerWidth, kLayerHeight)) {
        plat::DrawContext pictureDc(picture.get());
        plat::BitBlt(PictureScratchLayer.dc, 0, 0, kLayerWidth, kLayerHeight, &pictureDc, 0, 0,
                     plat::kRopSrcCopy);
    }
    RebuildSet(set, row, gridUnit, [](TileSprite& sprite, int) {
        sprite.pictureFill = true;
        sprite.pictureSource = &PictureScratchLayer.dc;
        // Never drawn: they only carry each orientation's size.
        GiveImages(sprite, [](const plat::Bitmap* mask) {
            return plat::CreateMonoBitmap(MaskWidth(mask), MaskHeight(mask));
        });
    });
}

void buildTextureSet(TileSet& set, const std::string& path, const MaskNumberRow& row, int gridUnit)
{
    std::unique_ptr<plat::Bitmap> turns[8];
    std::unique_ptr<plat::Bitmap> mirroredTurns[8];
    // Whatever is missing stays black; the masks and sizes do not depend on the texture.
    prepareTextures(path, turns, false);
    prepareTextures(path, mirroredTurns, true);
    RebuildSet(set, row, gridUnit, [&](TileSprite& sprite, int tile) {
        GiveTextureImages(sprite, tile, turns, mirroredTurns);
    });
}
