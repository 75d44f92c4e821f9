// Tile sets: masks and variants of every sprite, solid, picture and texture images, the
// texture anchors, the z-order after a rebuild, and applyAppearance.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "app/shell_state.h"
#include "game/appearance.h"
#include "game/preview_panel.h"
#include "platform/bitmap_file.h"
#include "platform/runtime.h"
#include "support/temp_folder.h"
#include "tiles/fill_styles.h"
#include "tiles/sprite_test_support.h"

using namespace spritetest;

namespace {

constexpr plat::Color kSolid = plat::MakeColor(30, 160, 250);

// Never black, and different almost everywhere, so a misplaced block shows.
plat::Color PictureColor(int x, int y)
{
    return plat::MakeColor((x * 5) % 256, (y * 3) % 256, 40 + (x * 7 + y * 11) % 200);
}

// A 24-bit .bmp of the picture above; answers its path.
std::string WritePicture(const std::string& path, int width, int height)
{
    plat::DibInfoHeader info;
    info.width = width;
    info.height = height;
    info.bitCount = 24;
    auto dib = plat::CreateDib(info, {});
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            dib->setPixelValue(x, y, dib->colorToValue(PictureColor(x, y)));
    EXPECT_TRUE(plat::SaveBitmapFile(path, *dib));
    return path;
}

plat::Color ColorAt(const plat::Bitmap& bitmap, int x, int y)
{
    if (x < 0 || y < 0 || x >= bitmap.width() || y >= bitmap.height())
        return plat::kBlack;
    return bitmap.valueToColor(bitmap.pixelValue(x, y));
}

// Every pixel of the image: `inside(x, y)` where the mask is set, black elsewhere.
template <typename Inside>
void ExpectCutByMask(const plat::Bitmap& image, const plat::Bitmap& mask, Inside inside,
                     const std::string& what)
{
    ASSERT_EQ(image.size(), mask.size()) << what;
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x) {
            plat::Color want = mask.pixelValue(x, y) != 0 ? inside(x, y) : plat::kBlack;
            ASSERT_EQ(ColorAt(image, x, y), want) << what << " at " << x << "," << y;
        }
}

// Which stored mask (offset from the shape's number) each orientation uses.
int MaskOffset(int tile, int orientation, bool mirroredSide)
{
    if (tile == 3)
        return orientation % 2;
    if (tile == 4)
        return mirroredSide ? 4 + 3 - orientation % 4 : orientation % 4;
    return orientation;
}

class TileSetTest : public TileEngineTest {};

TEST_F(TileSetTest, SpritesGetTheirVariantMasksAndIndices)
{
    for (int unit : {7, 3, 1}) {
        TileSet set = SolidSet(unit, kSolid);
        const MaskNumberRow& row = *MaskNumbersForUnit(unit);
        for (int tile = 0; tile < kTileCount; ++tile) {
            const TileSprite& sprite = set[tile];
            const SpriteVariant* variant = tile == 3   ? &SquareSprite
                                           : tile == 4 ? &ParallelogramSprite
                                                       : &TriangleSprite;
            int number = MaskNumberOfTile(row, tile);
            EXPECT_EQ(sprite.variant, variant);
            EXPECT_EQ(sprite.tileIndex, tile);
            EXPECT_EQ(sprite.gridUnit, unit);
            EXPECT_EQ(sprite.maskBase, variant == &TriangleSprite ? number : -1);
            EXPECT_EQ(sprite.x + sprite.y + sprite.orientation, 0);
            EXPECT_FALSE(sprite.mirrored || sprite.seeThrough || sprite.pictureFill);
            for (int o = 0; o < 8; ++o) {
                std::string what = "unit " + std::to_string(unit) + " tile " +
                                   std::to_string(tile) + " orientation " + std::to_string(o);
                EXPECT_EQ(SetPixels(*sprite.masks[o]),
                          SetPixels(*TileMask(number + MaskOffset(tile, o, false))))
                    << what;
                if (tile == 4) {
                    EXPECT_EQ(SetPixels(*sprite.mirroredMasks[o]),
                              SetPixels(*TileMask(number + MaskOffset(tile, o, true))))
                        << what;
                }
            }
        }
    }
}

TEST_F(TileSetTest, SolidTilesAreTheColourInsideTheMaskAndBlackOutside)
{
    for (int unit : {7, 3, 1}) {
        TileSet set = SolidSet(unit, kSolid);
        for (int tile = 0; tile < kTileCount; ++tile) {
            const TileSprite& sprite = set[tile];
            for (int o = 0; o < 8; ++o) {
                std::string what = "unit " + std::to_string(unit) + " tile " +
                                   std::to_string(tile) + " orientation " + std::to_string(o);
                auto solid = [](int, int) { return kSolid; };
                ExpectCutByMask(*sprite.images[o], *sprite.masks[o], solid, what);
                if (tile == 4)
                    ExpectCutByMask(*sprite.mirroredImages[o], *sprite.mirroredMasks[o], solid,
                                    what + " mirrored");
            }
        }
        // Each distinct bitmap is owned once: a set torn down twice over would show under ASan.
        EXPECT_EQ(set[4].images[1], set[4].images[5]);
        EXPECT_EQ(set[4].ownedBitmaps.size(), 16u);
    }
}

// The union of the seven masks placed at their anchors of one step, pixel -> how many cover it.
std::map<std::pair<int, int>, int> AssembledPieces(int step)
{
    std::map<std::pair<int, int>, int> cover;
    for (int tile = 0; tile < kTileCount; ++tile) {
        int o = (TextureFirstOrientation(tile) + step) % 8;
        int number = MaskNumberOfTile(kMaskNumbers7, tile);
        const plat::Bitmap& mask = *TileMask(number + MaskOffset(tile, o, false));
        plat::Point at = TextureAnchor(tile, step);
        for (auto [x, y] : SetPixels(mask, at.x, at.y))
            ++cover[{x, y}];
    }
    return cover;
}

TEST_F(TileSetTest, TextureAnchorsAssembleThePuzzleSquareAtEveryStep)
{
    for (int step = 0; step < 8; ++step) {
        auto cover = AssembledPieces(step);
        int overlaps = 0;
        std::map<int, std::pair<int, int>> rows; // y -> leftmost, rightmost
        std::map<int, int> counts;
        for (auto [pixel, n] : cover) {
            overlaps += n > 1;
            auto [x, y] = pixel;
            auto it = rows.try_emplace(y, x, x).first;
            it->second = {std::min(it->second.first, x), std::max(it->second.second, x)};
            ++counts[y];
        }
        EXPECT_EQ(overlaps, 0) << "step " << step;
        if (step % 2 == 0) {
            EXPECT_EQ(cover.size(), 84u * 84u) << "step " << step;
            EXPECT_EQ(rows.begin()->first, 3);
            EXPECT_EQ(rows.rbegin()->first, 86);
            for (auto [y, span] : rows)
                EXPECT_EQ(span, std::make_pair(3, 86)) << "step " << step << " row " << y;
            continue;
        }
        // Turned by 45 degrees: a diamond, every row one run centred on the same column,
        // growing by one pixel at each side per row up to the widest row and shrinking after.
        int centre2 = rows.begin()->second.first + rows.begin()->second.second;
        int previous = 0, turns = 0;
        for (auto [y, span] : rows) {
            int width = span.second - span.first + 1;
            EXPECT_EQ(counts[y], width) << "step " << step << " row " << y << " has a gap";
            EXPECT_EQ(span.first + span.second, centre2) << "step " << step << " row " << y;
            EXPECT_EQ(std::abs(width - previous), 2) << "step " << step << " row " << y;
            turns += width < previous && previous > 0 && turns == 0;
            previous = width;
        }
        EXPECT_EQ(previous, 2) << "step " << step;
        EXPECT_EQ(turns, 1) << "step " << step;
    }
}

TEST_F(TileSetTest, TextureTilesAreCutFromTheMatchingTextureTurn)
{
    testsupport::TempFolder folder;
    std::string path = WritePicture(folder.file("grain.bmp"), 96, 96);
    TileSet set;
    buildTextureSet(set, path, kMaskNumbers7, 7);
    std::unique_ptr<plat::Bitmap> turns[8], mirroredTurns[8];
    ASSERT_TRUE(prepareTextures(path, turns, false));
    ASSERT_TRUE(prepareTextures(path, mirroredTurns, true));

    for (int tile = 0; tile < kTileCount; ++tile)
        for (int step = 0; step < 8; ++step) {
            int o = (TextureFirstOrientation(tile) + step) % 8;
            plat::Point anchor = TextureAnchor(tile, step);
            std::string what = "tile " + std::to_string(tile) + " step " + std::to_string(step);
            plat::Point at = TextureNudge(tile, o, false);
            at = {anchor.x + at.x, anchor.y + at.y};
            ExpectCutByMask(
                *set[tile].images[o], *set[tile].masks[o],
                [&](int x, int y) { return ColorAt(*turns[step], at.x + x, at.y + y); }, what);
            if (tile != 4)
                continue;
            // Built as orientation o, then stored reversed: the mirrored tile shows it as 7 - o.
            plat::Point m = TextureNudge(tile, o, true);
            m = {anchor.x + m.x, anchor.y + m.y};
            ExpectCutByMask(
                *set[tile].mirroredImages[7 - o], *set[tile].mirroredMasks[7 - o],
                [&](int x, int y) { return ColorAt(*mirroredTurns[step], m.x + x, m.y + y); },
                what + " mirrored");
        }
    // The cut really comes from the texture: its colours show inside the tiles.
    EXPECT_NE(ColorAt(*set[3].images[0], 15, 15), plat::kBlack);
}

TEST_F(TileSetTest, MissingTextureGivesBlackTilesThatStillWork)
{
    TileSet set;
    buildTextureSet(set, "/nonexistent/Textures\\none.bmp", kMaskNumbers7, 7);
    for (int tile = 0; tile < kTileCount; ++tile)
        for (int o = 0; o < 8; ++o)
            ExpectCutByMask(
                *set[tile].images[o], *set[tile].masks[o], [](int, int) { return plat::kBlack; },
                "tile " + std::to_string(tile));
    set[5].place(3, 3, 1);
    EXPECT_EQ(set[5].width, 57);
}

TEST_F(TileSetTest, PictureTilesShowThePictureUnderTheirPosition)
{
    testsupport::TempFolder folder;
    TileSet set;
    buildPictureSet(set, WritePicture(folder.file("view.bmp"), 250, 290), kMaskNumbers7, 7);
    TileSprite& sprite = set[6];
    EXPECT_TRUE(sprite.pictureFill);
    EXPECT_EQ(sprite.pictureSource, &PictureScratchLayer.dc);

    for (int step : {0, 1}) {
        if (step == 1)
            sprite.moveBy(&window, 1, 2);
        else
            sprite.place(4, 5, 3);
        auto target = plat::CreateScreenBitmap(kLayerWidth, kLayerHeight);
        plat::DrawContext dc(target.get());
        sprite.draw(dc, kBackdropBackground);
        const plat::Bitmap& mask = *sprite.currentMask();
        for (int y = 0; y < kLayerHeight; ++y)
            for (int x = 0; x < kLayerWidth; ++x) {
                int mx = x - sprite.x, my = y - sprite.y;
                bool inside = ColorAt(mask, mx, my) != plat::kBlack;
                ASSERT_EQ(ColorAt(*target, x, y), inside ? PictureColor(x, y) : plat::kBlack)
                    << "step " << step << " at " << x << "," << y;
            }
    }

    buildPictureSet(set, folder.file("missing.bmp"), kMaskNumbers7, 7);
    EXPECT_EQ(ColorAt(*PictureScratchLayer.surface, 100, 100), plat::kBlack);
}

TEST_F(TileSetTest, EveryPlaySetRebuildPutsTheZOrderBackInTileOrder)
{
    buildSolidSet(PlaySet, kSolid, kMaskNumbers7, 7);
    std::swap(ZOrderList[0], ZOrderList[5]);
    std::swap(ZOrderList[2], ZOrderList[6]);
    buildSolidSet(PlaySet, kSolid, kMaskNumbers7, 7);
    for (int i = 0; i < kTileCount; ++i) {
        EXPECT_EQ(ZOrderList[i], PlaySet.sprites[i].get());
        EXPECT_EQ(ZOrderList[i]->tileIndex, i);
    }
}

void SetName(char16_t (&field)[kFileNameUnits], std::u16string_view name)
{
    std::fill(std::begin(field), std::end(field), u'\0');
    std::copy(name.begin(), name.end(), field);
}

TEST_F(TileSetTest, ApplyAppearanceRebuildsFromTheSettings)
{
    testsupport::TempFolder folder;
    std::filesystem::create_directories(folder.file("Textures"));
    WritePicture(folder.file("Textures/grain.bmp"), 96, 96);
    ProgramDirectory = folder.folder();
    GameSettings.tileFill = 2;
    SetName(GameSettings.textureFile, u"grain.bmp");
    GameSettings.backgroundColor = plat::MakeColor(1, 99, 1);
    GameSettings.hintColor = plat::MakeColor(200, 1, 1);
    GameSettings.overlayColor = plat::MakeColor(5, 5, 50);
    GameSettings.previewForegroundColor = plat::MakeColor(7, 70, 7);
    GameSettings.previewBackgroundColor = plat::MakeColor(8, 8, 80);
    GameSettings.previewTextColor = plat::MakeColor(9, 9, 9);
    GameSettings.previewTitleColor = plat::MakeColor(10, 10, 10);
    PuzzlePack.block.count = 5;
    GameSettings.currentPuzzle = 9;

    applyAppearance();

    EXPECT_EQ(GameSettings.currentPuzzle, 4);
    EXPECT_EQ(BoardLayer.dc.brush.color, GameSettings.overlayColor);
    EXPECT_EQ(ColorAt(*BackgroundLayer.surface, 120, 140), GameSettings.backgroundColor);
    EXPECT_NE(ColorAt(*PlaySet[3].images[0], 15, 15), plat::kBlack); // the texture was found
    EXPECT_EQ(ColorAt(*HintSet[3].images[0], 15, 15), GameSettings.hintColor);
    EXPECT_EQ(PreviewSet[3].gridUnit, 3);
    EXPECT_EQ(ColorAt(*PreviewSet[3].images[0], 6, 6), GameSettings.previewForegroundColor);
    EXPECT_EQ(Panel.foregroundColor, GameSettings.previewForegroundColor);
    EXPECT_EQ(Panel.bodyColor, GameSettings.previewBackgroundColor);
    EXPECT_EQ(Panel.textColor, GameSettings.previewTextColor);
    EXPECT_EQ(Panel.titleColor, GameSettings.previewTitleColor);
    for (int i = 0; i < kTileCount; ++i)
        EXPECT_EQ(ZOrderList[i], PlaySet.sprites[i].get());

    // A name of 84 units is found however many bytes it takes in UTF-8 (here 244).
    const std::u16string wood = std::u16string(80, u'\u6728') + u".bmp";
    WritePicture(folder.file("Textures/" + plat::Utf16ToUtf8(wood)), 96, 96);
    SetName(GameSettings.textureFile, wood);
    applyAppearance();
    EXPECT_NE(ColorAt(*PlaySet[3].images[0], 15, 15), plat::kBlack);

    GameSettings.tileFill = 0;
    GameSettings.tileColor = plat::MakeColor(3, 33, 133);
    PuzzlePack.block.count = 0; // an empty pack leaves no puzzle to show
    applyAppearance();
    EXPECT_EQ(GameSettings.currentPuzzle, -1);
    EXPECT_EQ(ColorAt(*PlaySet[0].images[0], 21, 20), GameSettings.tileColor);

    std::filesystem::create_directories(folder.file("Bitmaps"));
    WritePicture(folder.file("Bitmaps/view.bmp"), 240, 280);
    SetName(GameSettings.backgroundBitmapFile, u"view.bmp");
    SetName(GameSettings.tileBitmapFile, u"view.bmp");
    GameSettings.backgroundFill = 1;
    GameSettings.tileFill = 1;
    applyAppearance();
    EXPECT_EQ(ColorAt(*BackgroundLayer.surface, 120, 140), PictureColor(120, 140));
    EXPECT_EQ(ColorAt(*PictureScratchLayer.surface, 17, 230), PictureColor(17, 230));
    EXPECT_TRUE(PlaySet[2].pictureFill);
    ProgramDirectory.clear();
}

} // namespace
