// The puzzle overlay: the target silhouette, dithered and centred, and its toggle.
#include <gtest/gtest.h>

#include "app/render.h"
#include "game/hints.h"
#include "game/preview_panel.h"
#include "support/game_fixture.h"
#include "support/square_puzzle.h"

using testsupport::GameFixture;

namespace {

class Overlay : public GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        buildSolidSet(HintSet, plat::kWhite, kMaskNumbers7, 7);
        buildSolidSet(PreviewSet, plat::kWhite, kMaskNumbers3, 3);
        PuzzlePack.block.count = 1;
        PuzzlePack.block.puzzles[0] = testsupport::SquarePuzzle();
        GameSettings.overlayShown = 1;
        BoardLayer.dc.brush = plat::Brush{kOverlayGreen};
    }
    void TearDown() override
    {
        for (TileSet* set : {&HintSet, &PreviewSet})
            for (SpriteHandle& sprite : set->sprites)
                sprite.reset();
        GameFixture::TearDown();
    }
    int overlayPixels() const
    {
        int n = 0;
        for (int y = 0; y < kLayerHeight; ++y)
            for (int x = 0; x < kLayerWidth; ++x)
                n += static_cast<int>(OverlayMaskLayer.surface->pixelValue(x, y));
        return n;
    }
    static constexpr plat::Color kOverlayGreen = plat::MakeColor(0, 220, 0);
};

} // namespace

TEST_F(Overlay, SilhouetteIsDitheredCentredAndCoveredByTheCentredSolution)
{
    ShowPuzzleInPanel(0);
    int lit = overlayPixels();
    // Every other pixel of the 84 x 84 square, give or take the shapes' margins.
    EXPECT_GT(lit, 80 * 80 / 2);
    EXPECT_LE(lit, 84 * 84 / 2 + 84);
    for (int y = 0; y + 1 < kLayerHeight; ++y)
        for (int x = 0; x + 1 < kLayerWidth; ++x)
            if (OverlayMaskLayer.surface->pixelValue(x, y)) {
                ASSERT_EQ(OverlayMaskLayer.surface->pixelValue(x + 1, y), 0u) << "dithered";
                ASSERT_EQ(OverlayMaskLayer.surface->pixelValue(x, y + 1), 0u) << "dithered";
            }

    // The solution laid out anywhere and centred lies exactly under the silhouette.
    const PuzzleRecord& square = PuzzlePack.block.puzzles[0];
    for (int i = 0; i < kTileCount; ++i)
        put(i, square.x[i] + 3, square.y[i] + 1, OrientationOf(square, i));
    CenterTiles();
    for (int y = 0; y < kLayerHeight; ++y)
        for (int x = 0; x < kLayerWidth; ++x)
            if (OverlayMaskLayer.surface->pixelValue(x, y)) {
                bool covered = false;
                for (int i = 0; i < kTileCount && !covered; ++i)
                    covered = PlaySet[i].hitTest(x, y);
                ASSERT_TRUE(covered) << x << "," << y;
            }
}

TEST_F(Overlay, AnEmptyPackShowsNoSilhouette)
{
    ShowPuzzleInPanel(0);
    ASSERT_GT(overlayPixels(), 0);
    // An empty or rejected pack: applyAppearance leaves puzzle -1, and no record exists to show.
    PuzzlePack.block.count = 0;
    GameSettings.currentPuzzle = -1;
    BuildOverlay();
    EXPECT_EQ(overlayPixels(), 0);
    plat::FillRect(OverlayMaskLayer.dc, {0, 0, kLayerWidth, kLayerHeight}, plat::Brush{plat::kWhite});
    ComposeBoard(0, 0, kLayerWidth, kLayerHeight);
    EXPECT_EQ(board(120, 100), testsupport::kBackgroundBlue) << "nothing of the overlay is composed";
}

TEST_F(Overlay, ToggleRepaintsTheBoardInTheOverlayColour)
{
    for (int i = 0; i < kTileCount; ++i)
        put(i, 0, 30, 0); // out of the way, below the silhouette
    GameSettings.overlayShown = 0;
    ShowPuzzleInPanel(0);
    RebuildBoard(true);
    EXPECT_EQ(overlayPixels(), 0) << "no silhouette while the overlay is off";
    ToggleOverlay(nullptr);
    EXPECT_EQ(GameSettings.overlayShown, 1);
    int green = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < kLayerWidth; ++x)
            green += board(x, y) == kOverlayGreen;
    EXPECT_EQ(green, overlayPixels());
    ToggleOverlay(nullptr);
    EXPECT_EQ(GameSettings.overlayShown, 0);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < kLayerWidth; ++x)
            ASSERT_NE(board(x, y), kOverlayGreen);
}

TEST_F(Overlay, HintTileMarksTheSelectedRevealedTileOnlyWithTheOverlayOn)
{
    for (int i = 0; i < kTileCount; ++i)
        put(i, 2 * i, 33, 0); // below the silhouette
    ShowPuzzleInPanel(0);
    RebuildBoard(true);
    HintsVisible = true;
    HintCounter = 0;
    SelectTile(nullptr, FindTileInZOrder(0));
    const TileSprite& hint = HintSet[0];
    auto whiteInHintTile = [&] {
        int n = 0;
        for (int y = hint.y; y < hint.y + hint.height; ++y)
            for (int x = hint.x; x < hint.x + hint.width; ++x)
                n += plat::GetPixel(ScreenBuffer.dc, x, y) == plat::kWhite;
        return n;
    };
    EXPECT_GT(whiteInHintTile(), 100) << "the hint tile, dithered, where tile 0 lies in the silhouette";
    HintCounter = -1;
    RenderScreen(0, 0, kLayerWidth, kLayerHeight);
    EXPECT_EQ(whiteInHintTile(), 0) << "not yet revealed";
    HintCounter = 0;
    GameSettings.overlayShown = 0;
    ComposeBoard(0, 0, kLayerWidth, kLayerHeight);
    RenderScreen(0, 0, kLayerWidth, kLayerHeight);
    EXPECT_EQ(whiteInHintTile(), 0) << "no hint tile without the overlay";
}
