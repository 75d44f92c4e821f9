// TileSprite: grid placing, board clamp, moves, turns, flips, see-through, hit test, drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "game/preview_panel.h"
#include "resources/tile_masks.h"
#include "tiles/sprite_test_support.h"

using namespace spritetest;

namespace {

constexpr plat::Color kTileColor = plat::MakeColor(200, 40, 10);

class TileSpriteTest : public TileEngineTest {
protected:
    void SetUp() override
    {
        TileEngineTest::SetUp();
        play = SolidSet(7, kTileColor);
    }
    TileSet play;
};

TEST_F(TileSpriteTest, ClampKeepsTilesOnTheBoardAtGridMultiples)
{
    struct Case {
        int tile, orientation, x, y, wantX, wantY;
    };
    const Case cases[] = {
        {3, 0, -7, 14, 0, 14},      // dragged off the left edge
        {0, 1, 217, 0, 210, 0},     // small triangle, 29 wide
        {5, 0, 161, 0, 154, 0},     // large triangle, 86 wide
        {5, 2, 0, 189, 0, 182},     // large triangle, 85 high
        {3, 0, 14, -21, 14, 0},     // off the top
        {4, 2, 210, 210, 210, 203}, // parallelogram standing up, 65 high
    };
    for (const Case& c : cases) {
        TileSprite& sprite = play[c.tile];
        sprite.place(0, 0, c.orientation);
        sprite.x = c.x;
        sprite.y = c.y;
        sprite.clampToBoard();
        EXPECT_EQ(sprite.x, c.wantX) << "tile " << c.tile;
        EXPECT_EQ(sprite.y, c.wantY) << "tile " << c.tile;
        EXPECT_LE(sprite.x + sprite.width, kBoardWidth);
        EXPECT_LE(sprite.y + sprite.height, kBoardHeight);
    }
}

TEST_F(TileSpriteTest, PlaceAndGridPositionAgreeAtEveryScale)
{
    play[5].x = 154;
    play[5].y = 182;
    EXPECT_EQ(play[5].gridPosition(), (GridPosition{22, 26, 0}));
    play[5].x = -3; // truncates toward zero
    EXPECT_EQ(play[5].gridPosition().column, 0);

    for (int unit : {7, 3, 1}) {
        TileSet set = SolidSet(unit, kTileColor);
        for (int tile = 0; tile < kTileCount; ++tile) {
            set[tile].place(tile + 2, 9 - tile, tile);
            EXPECT_EQ(set[tile].x, (tile + 2) * unit);
            EXPECT_EQ(set[tile].gridPosition(), (GridPosition{tile + 2, 9 - tile, tile}));
            EXPECT_EQ(set[tile].width, set[tile].masks[tile]->width());
            EXPECT_EQ(set[tile].height, set[tile].masks[tile]->height());
        }
    }
    play[0].place(0, 0, 11); // a damaged orientation never indexes past the arrays
    EXPECT_EQ(play[0].orientation, 3);
}

TEST_F(TileSpriteTest, MoveByClampsAndRepaintsOnlyRealMoves)
{
    TileSprite& square = play[3];
    square.place(28, 10, 0);
    ASSERT_EQ(square.width, 30);
    square.moveBy(&window, 3, 0);
    EXPECT_EQ(square.x, 210);
    EXPECT_EQ(Calls,
              (std::vector<std::string>{Join("render", {196, 70, 30, 30}),
                                        Join("invalidate", {196, 70, 30, 35, 210, 70, 30, 35})}));

    Calls.clear();
    square.moveBy(&window, 0, 0);
    square.moveBy(&window, 1, 0); // cancelled by the clamp
    EXPECT_TRUE(Calls.empty());
    EXPECT_EQ(square.x, 210);

    square.moveBy(&window, -2, 1);
    EXPECT_EQ(square.x, 196);
    EXPECT_EQ(square.y, 77);
    EXPECT_EQ(Calls.size(), 2u);
}

TEST_F(TileSpriteTest, TurnsWrapClampAndRunTheSolvedCheckAfterTheRedraw)
{
    TileSprite& large = play[5];
    large.place(23, 0, 1);
    large.rotateClockwise(&window);
    EXPECT_EQ(large.orientation, 0);
    EXPECT_EQ(large.x, 154);
    EXPECT_EQ(Calls, (std::vector<std::string>{Join("render", {0, 0, 240, 280}),
                                               Join("invalidate", {161, 0, 57, 62, 154, 0, 86, 49}),
                                               "solved?"}));

    large.rotateClockwise(&window);
    EXPECT_EQ(large.orientation, 7);
    large.rotateCounterClockwise(&window);
    EXPECT_EQ(large.orientation, 0);

    Calls.clear();
    SolvedAnswer = true;
    large.rotateCounterClockwise(&window);
    EXPECT_EQ(Calls.back(), "message");

    Calls.clear();
    PuzzlePack.progress[0].solved = 1; // a solved puzzle is not checked again
    large.rotateCounterClockwise(&window);
    EXPECT_EQ(Calls.size(), 2u);

    Calls.clear();
    GameSettings.currentPuzzle = -1; // empty pack: nothing to check
    large.rotateCounterClockwise(&window);
    EXPECT_EQ(Calls.size(), 2u);
}

// Where the bulk of a shape lies inside its bounding box, optionally mirrored top to bottom.
plat::Point Centre2x(const Pixels& shape, bool mirrorY)
{
    Pixels normal = Normalised(shape, false, mirrorY);
    long sx = 0, sy = 0;
    for (auto [x, y] : normal)
        sx += x, sy += y;
    long n = static_cast<long>(normal.size());
    return {static_cast<int>(2 * sx / n), static_cast<int>(2 * sy / n)};
}

// Mirror left to right gives exactly the mirrored shape; top to bottom the hand-fitted shapes
// may differ by their outermost row, so there the shape's weight must land where the mirror's does.
TEST_F(TileSpriteTest, FlipsShowTheMirrorImageOfTheShape)
{
    for (int unit : {7, 1}) {
        TileSet set = SolidSet(unit, kTileColor);
        for (int tile = 0; tile < kTileCount; ++tile) {
            if (tile == 3)
                continue;
            for (int o = 0; o < 8; ++o) {
                TileSprite& sprite = set[tile];
                sprite.place(1, 1, o);
                Pixels before = SetPixels(*sprite.currentMask());
                sprite.flipHorizontal(&window);
                EXPECT_EQ(Normalised(SetPixels(*sprite.currentMask())),
                          Normalised(before, true, false))
                    << "unit " << unit << " tile " << tile << " orientation " << o;
                sprite.flipHorizontal(&window);
                EXPECT_EQ(sprite.orientation, o);
                if (tile == 4 || unit == 1)
                    continue; // the parallelogram's flip is its mirror; unit 1 is too coarse
                sprite.flipVertical(&window);
                plat::Point got = Centre2x(SetPixels(*sprite.currentMask()), false);
                plat::Point want = Centre2x(before, true);
                EXPECT_NEAR(got.x, want.x, 2) << "tile " << tile << " orientation " << o;
                EXPECT_NEAR(got.y, want.y, 2) << "tile " << tile << " orientation " << o;
            }
        }
    }
}

TEST_F(TileSpriteTest, FlipRedrawRules)
{
    play[0].place(5, 5, 0);
    play[0].flipHorizontal(&window); // same orientation, still redrawn and checked
    EXPECT_EQ(play[0].orientation, 0);
    EXPECT_EQ(Calls, (std::vector<std::string>{Join("render", {0, 0, 240, 280}),
                                               Join("invalidate", {35, 35, 44, 28, 35, 35, 44, 28}),
                                               "solved?"}));
    Calls.clear();
    play[3].place(5, 5, 1);
    play[3].flipHorizontal(&window);
    play[3].flipVertical(&window);
    EXPECT_EQ(play[3].orientation, 1);
    EXPECT_TRUE(Calls.empty());

    TileSprite& para = play[4];
    para.place(0, 0, 1);
    para.x = 183;
    para.flipVertical(&window); // one pixel wider now, and no clamp after a flip
    EXPECT_EQ(para.x, 183);
    EXPECT_EQ(para.x + para.width, 241);
    EXPECT_EQ(Calls.size(), 3u);
}

// All four arrays of a sprite, in order: images, masks, mirroredImages, mirroredMasks.
std::vector<plat::Bitmap*> Arrays(const TileSprite& sprite)
{
    std::vector<plat::Bitmap*> all;
    for (auto* array :
         {&sprite.images, &sprite.masks, &sprite.mirroredImages, &sprite.mirroredMasks})
        all.insert(all.end(), std::begin(*array), std::end(*array));
    return all;
}

TEST_F(TileSpriteTest, MirroringTheParallelogramTwiceIsIdentity)
{
    TileSprite& para = play[4];
    para.place(3, 4, 2);
    const std::vector<plat::Bitmap*> before = Arrays(para);

    para.flipHorizontal(nullptr); // no window: state only
    EXPECT_TRUE(para.mirrored);
    EXPECT_EQ(para.orientation, 5);
    EXPECT_TRUE(Calls.empty());
    std::vector<plat::Bitmap*> swapped = Arrays(para);
    EXPECT_TRUE(std::equal(swapped.begin(), swapped.begin() + 16, before.begin() + 16));
    EXPECT_TRUE(std::equal(swapped.begin() + 16, swapped.end(), before.begin()));

    para.flipVertical(nullptr);
    EXPECT_FALSE(para.mirrored);
    EXPECT_EQ(para.orientation, 2);
    EXPECT_EQ(Arrays(para), before);
}

TEST_F(TileSpriteTest, SeeThroughPhaseFollowsTheVariantRules)
{
    TileSet preview = SolidSet(3, kTileColor);
    struct Case {
        TileSet* set;
        int tile, orientation;
        bool mirrored;
        int phase;
    };
    const Case cases[] = {
        {&play, 0, 2, false, 1}, {&play, 1, 0, false, 1},    {&play, 0, 1, false, 0},
        {&play, 2, 2, false, 0}, {&preview, 0, 2, false, 0}, {&play, 3, 1, false, 1},
        {&play, 3, 4, false, 2}, {&play, 4, 2, false, 1},    {&play, 4, 6, false, 1},
        {&play, 4, 3, false, 0}, {&play, 4, 3, true, 1},     {&play, 4, 2, true, 0},
    };
    for (const Case& c : cases) {
        TileSprite& sprite = (*c.set)[c.tile];
        if (sprite.mirrored != c.mirrored)
            sprite.flipHorizontal(nullptr);
        sprite.place(2, 2, c.orientation);
        sprite.makeSeeThrough(&window);
        EXPECT_EQ(sprite.patternPhase, c.phase)
            << "tile " << c.tile << " orientation " << c.orientation;
        ASSERT_TRUE(sprite.seeThrough && sprite.seeThroughMask);
        const plat::Bitmap& mask = *sprite.currentMask();
        ASSERT_EQ(sprite.seeThroughMask->size(), mask.size());
        for (int y = 0; y < mask.height(); ++y)
            for (int x = 0; x < mask.width(); ++x)
                ASSERT_EQ(sprite.seeThroughMask->pixelValue(x, y),
                          mask.pixelValue(x, y) != 0 && (x + y + c.phase) % 2 == 0 ? 1u : 0u)
                    << x << "," << y;
    }
}

TEST_F(TileSpriteTest, SeeThroughMaskFollowsTurnsAndGoesWithClear)
{
    TileSprite& large = play[6];
    large.place(40, 2, 1); // off the right edge until cleared
    large.makeSeeThrough(&window);
    large.rotateCounterClockwise(&window);
    ASSERT_TRUE(large.seeThroughMask);
    EXPECT_EQ(large.seeThroughMask->size(), large.currentMask()->size());

    play[4].makeSeeThrough(&window);
    play[4].flipHorizontal(nullptr);
    EXPECT_EQ(play[4].seeThroughMask->size(), play[4].currentMask()->size());

    large.x = 280;
    large.clearSeeThrough();
    EXPECT_FALSE(large.seeThrough);
    EXPECT_EQ(large.seeThroughMask, nullptr);
    EXPECT_LE(large.x + large.width, kBoardWidth);
}

TEST_F(TileSpriteTest, HitTestFollowsTheMaskNotTheBox)
{
    TileSprite& small = play[0];
    small.place(3, 4, 0);
    const int h = 3 * 7;
    EXPECT_FALSE(small.hitTest(21, 28));        // top-left corner of the bitmap
    EXPECT_TRUE(small.hitTest(21 + h, 28 + h)); // middle of the hypotenuse
    EXPECT_FALSE(small.hitTest(21 + h, 28 + h + 1));
    EXPECT_FALSE(small.hitTest(21 + small.width, 28 + 1));
    EXPECT_FALSE(small.hitTest(20, 28 + h));
    int hits = 0;
    for (int y = 0; y < 280; ++y)
        for (int x = 0; x < 240; ++x)
            hits += small.hitTest(x, y);
    EXPECT_EQ(hits, static_cast<int>(SetPixels(*small.currentMask()).size()));
}

TEST_F(TileSpriteTest, DrawMaskTwiceRestoresTheTarget)
{
    auto target = plat::CreateMonoBitmap(kLayerWidth, kLayerHeight);
    plat::DrawContext dc(target.get());
    for (int y = 0; y < kLayerHeight; ++y)
        for (int x = 0; x < kLayerWidth; ++x)
            target->setPixelValue(x, y, (x * 7 + y * 3) % 5 == 0);
    auto original = SetPixels(*target);
    for (int tile = 0; tile < kTileCount; ++tile) {
        TileSprite& sprite = play[tile];
        sprite.place(tile * 4, tile * 3, tile);
        if (tile == 2)
            sprite.makeSeeThrough(&window); // the see-through mask is what goes in and out
        const plat::Bitmap& shape =
            sprite.seeThrough ? *sprite.seeThroughMask : *sprite.currentMask();
        sprite.drawMask(dc);
        const Pixels after = SetPixels(*target);
        Pixels flipped;
        std::set_symmetric_difference(original.begin(), original.end(), after.begin(), after.end(),
                                      std::inserter(flipped, flipped.end()));
        EXPECT_EQ(flipped, SetPixels(shape, sprite.x, sprite.y)) << "tile " << tile;
        sprite.drawMask(dc);
        EXPECT_EQ(SetPixels(*target), original) << "tile " << tile;
    }
}

plat::Color PixelAt(const Layer& layer, int x, int y)
{
    return plat::GetPixel(layer.dc, x, y);
}

void FillLayer(Layer& layer, plat::Color color)
{
    layer.dc.brush = plat::Brush{color};
    plat::PatBlt(layer.dc, 0, 0, kLayerWidth, kLayerHeight, plat::kRopPatCopy);
}

TEST_F(TileSpriteTest, DrawPaintsTheShapeOnlyAndDithersSeeThroughTiles)
{
    constexpr plat::Color kUnder = plat::MakeColor(1, 2, 3);
    const plat::Color backdrops[] = {plat::MakeColor(9, 90, 9), plat::MakeColor(7, 7, 170),
                                     plat::MakeColor(60, 60, 0)};
    FillLayer(BackgroundLayer, backdrops[0]);
    FillLayer(BoardLayer, backdrops[1]);
    Panel.bodyColor = backdrops[2];
    TileSprite& sprite = play[5];
    sprite.place(3, 2, 3);
    for (int backdrop : {0, 1, 2, 3}) {
        sprite.clearSeeThrough();
        if (backdrop > 0)
            sprite.makeSeeThrough(&window);
        FillLayer(ScreenBuffer, kUnder);
        sprite.draw(ScreenBuffer.dc, backdrop);
        plat::Color between = backdrops[std::max(backdrop, 1) - 1];
        const plat::Bitmap& mask = *sprite.currentMask();
        for (int y = 0; y < kLayerHeight; ++y)
            for (int x = 0; x < kLayerWidth; ++x) {
                int mx = x - sprite.x, my = y - sprite.y;
                bool inside = mx >= 0 && my >= 0 && mx < mask.width() && my < mask.height() &&
                              mask.pixelValue(mx, my) != 0;
                bool shown = !sprite.seeThrough ||
                             (inside && sprite.seeThroughMask->pixelValue(mx, my) != 0);
                plat::Color want = !inside ? kUnder : shown ? kTileColor : between;
                ASSERT_EQ(PixelAt(ScreenBuffer, x, y), want)
                    << "backdrop " << backdrop << " at " << x << "," << y;
            }
    }
}

TEST_F(TileSpriteTest, DestroyReleasesBitmapsAndKeepsTheSpriteUnlessFreed)
{
    TileSprite& para = play[4];
    para.makeSeeThrough(&window);
    EXPECT_EQ(para.destroy(0), &para);
    EXPECT_EQ(para.variant, &BaseSprite);
    EXPECT_TRUE(para.ownedBitmaps.empty());
    EXPECT_EQ(para.seeThroughMask, nullptr);
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(para.images[k], nullptr);
        EXPECT_EQ(para.mirroredMasks[k], nullptr);
    }
    SpriteHandle loose = NewSprite(TriangleSprite, 7);
    EXPECT_EQ(loose.release()->destroy(1), nullptr);
}

} // namespace
