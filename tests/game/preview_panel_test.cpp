// The preview panel's picture read back pixel by pixel against the glyphs at the places the panel
// layout gives them, its clamps at the board's edges, and what a pen down on it arms.
#include <gtest/gtest.h>

#include "game/preview_panel.h"
#include "game/solved_check.h"
#include "resources/glyphs.h"
#include "support/game_fixture.h"
#include "support/square_puzzle.h"

namespace {

constexpr plat::Color kTitle = plat::MakeColor(250, 250, 200);
constexpr plat::Color kText = plat::MakeColor(10, 20, 30);
constexpr plat::Color kBody = plat::MakeColor(220, 220, 210);
constexpr plat::Color kInk = plat::MakeColor(40, 90, 40);

class PreviewPanelTest : public testsupport::GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        buildSolidSet(PreviewSet, kInk, kMaskNumbers3, 3);
        Panel.titleColor = kTitle;
        Panel.textColor = kText;
        Panel.bodyColor = kBody;
        Panel.foregroundColor = kInk;
        PuzzlePack.block.count = 15;
        PuzzlePack.block.puzzles[7] = testsupport::SquarePuzzle();
        GameSettings.currentPuzzle = 7;
    }
    void TearDown() override
    {
        for (SpriteHandle& sprite : PreviewSet.sprites)
            sprite.reset();
        GameFixture::TearDown();
    }
    static plat::Color At(int x, int y)
    {
        return Panel.picture->valueToColor(Panel.picture->pixelValue(x, y));
    }
    // Whether the picture shows the glyph at (gx, gy): `on` where its pixels are set, `off`
    // elsewhere in its w x h cell.
    static ::testing::AssertionResult Shows(int glyph, int gx, int gy, int w, plat::Color on,
                                            plat::Color off)
    {
        const plat::Bitmap* art = Glyph(glyph);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < w; ++x) {
                plat::Color want = art->pixelValue(x, y) ? on : off;
                if (At(gx + x, gy + y) != want)
                    return ::testing::AssertionFailure()
                           << "glyph " << glyph << " differs at (" << x << ", " << y << ")";
            }
        return ::testing::AssertionSuccess();
    }
    void layTheSolutionOnTheBoard()
    {
        const PuzzleRecord square = testsupport::SquarePuzzle();
        for (int i = 0; i < kTileCount; ++i)
            PlaySet[i].place(square.x[i] + 3, square.y[i] + 2, OrientationOf(square, i));
    }
};

} // namespace

TEST_F(PreviewPanelTest, PictureShowsNumberTimeHintsAndTheWordsAtTheirPlaces)
{
    PuzzlePack.progress[7].seconds = 3725; // 01:02:05
    PuzzlePack.progress[7].hints = 2;
    ShowPuzzleInPanel(7);
    // The square is 12 cells of 3 pixels (its masks reach 2 pixels further): 44 wide with the
    // margin, so the 64-pixel minimum centres it (64 - 44) / 6 + 1 = 4 cells in.
    ASSERT_TRUE(Panel.picture);
    EXPECT_EQ(Panel.width, 64);
    EXPECT_EQ(Panel.bodyHeight, 38 + 13);
    EXPECT_EQ(PreviewSet[0].x, (testsupport::SquarePuzzle().x[0] + 4) * 3);
    const int H = Panel.bodyHeight, row = H + 12;

    int digits[] = {0, 1, 0, 2, 0, 5};
    int places[] = {8, 13, 20, 25, 32, 37};
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(Shows(kGlyphDigit0 + digits[i], places[i], row, 6, kInk, kBody)) << i;
    EXPECT_TRUE(Shows(kGlyphSeparator, 18, row, 3, kInk, kBody));
    EXPECT_TRUE(Shows(kGlyphSeparator, 30, row, 3, kInk, kBody));
    EXPECT_TRUE(Shows(kGlyphDigit0 + 2, 64 - 15, row, 6, kInk, kBody));
    EXPECT_TRUE(Shows(kGlyphNumberSign, 2, 2, 7, kText, kTitle));
    EXPECT_TRUE(Shows(kGlyphDigit0 + 7, 13, 2, 6, kText, kTitle));

    // Pressed, the number label turns inverse; a damaged hint count shows as 9, never past the table.
    Panel.HitButton(kNumberButton, Panel.x + 5, Panel.y + 5);
    EXPECT_TRUE(Shows(kGlyphNumberSign, 2, 2, 7, kTitle, kText));
    PuzzlePack.progress[7].hints = 100;
    PuzzlePack.progress[7].seconds = -5;
    Panel.DrawStatusLine();
    EXPECT_TRUE(Shows(kGlyphDigit0 + 9, 64 - 15, row, 6, kInk, kBody));
    EXPECT_TRUE(Shows(kGlyphDigit0, 37, row, 6, kInk, kBody));

    // Solved: COMPLETE, inverse while the board shows the solution.
    PuzzlePack.progress[7].solved = 1;
    Panel.DrawStatusLine();
    EXPECT_TRUE(Shows(kGlyphComplete, (64 - 33) / 2, row, 33, kInk, kBody));
    layTheSolutionOnTheBoard();
    ASSERT_TRUE(IsPuzzleSolved());
    Panel.DrawStatusLine();
    EXPECT_TRUE(Shows(kGlyphComplete, (64 - 33) / 2, row, 33, kBody, kInk));

    // The edit row's words; the slot past the last puzzle has an empty body.
    Panel.editMode = true;
    Panel.DrawStatusLine();
    EXPECT_TRUE(Shows(kGlyphEdit, (64 - 16) / 2, row, 17, kInk, kBody));
    GameSettings.currentPuzzle = 15;
    ShowPuzzleInPanel(15);
    EXPECT_TRUE(Shows(kGlyphAdd, (Panel.width - 16) / 2, Panel.bodyHeight + 12, 13, kInk, kBody));
    for (int y = 22; y < Panel.bodyHeight + 11; ++y)
        for (int x = 1; x < Panel.width - 1; ++x)
            ASSERT_EQ(At(x, y), kBody) << x << "," << y;
}

TEST_F(PreviewPanelTest, DrawingKeepsThePanelOnTheBoardAndThePenFindsItsParts)
{
    ShowPuzzleInPanel(7);
    const int W = Panel.width, H = Panel.bodyHeight;
    auto drawnAt = [](int x, int y, bool expanded, bool edit) {
        Panel.expanded = expanded;
        Panel.editMode = edit;
        Panel.SetPanelPosition(x, y);
        Panel.DrawPanel(ScreenBuffer.dc);
        return Panel.GetPanelPosition();
    };
    EXPECT_EQ(drawnAt(300, 50, true, false), (plat::Point{239 - W, 50}));
    EXPECT_EQ(drawnAt(-5, -5, true, false), (plat::Point{1, 1}));
    EXPECT_EQ(drawnAt(10, 260, false, false).y, 246);
    EXPECT_EQ(drawnAt(10, 246, false, false).y, 246) << "collapsed near the bottom it stays";
    EXPECT_EQ(drawnAt(10, 246, true, false).y, 257 - H) << "expanded it is pushed up";
    EXPECT_EQ(drawnAt(10, 260, true, true).y, 247 - H);
    EXPECT_EQ(drawnAt(10, 260, false, true).y, 236);
    // The title row and the body follow each other without a gap on the screen.
    drawnAt(20, 30, true, false);
    EXPECT_EQ(plat::GetPixel(ScreenBuffer.dc, 20 + 5, 30 + 5), kTitle);
    EXPECT_EQ(plat::GetPixel(ScreenBuffer.dc, 20 + 3, 30 + 11), kBody);

    // The store button's place is a drag handle outside editMode and the button inside it.
    drawnAt(20, 30, true, false);
    EXPECT_TRUE(Panel.PanelPenDown(20 + 15, 30 + 15));
    EXPECT_TRUE(Panel.dragArmed);
    EXPECT_EQ(Panel.armedButton(), -1);
    Panel.dragArmed = false;
    Panel.editMode = true;
    EXPECT_TRUE(Panel.PanelPenDown(20 + 15, 30 + 15));
    EXPECT_EQ(Panel.armedButton(), kStoreButton);
    EXPECT_TRUE(Panel.pressed[kStoreButton]);
    EXPECT_FALSE(Panel.HitButton(kStoreButton, 20 + 15, 30 + 40)) << "the pen slid off";
    EXPECT_FALSE(Panel.pressed[kStoreButton]);
    EXPECT_FALSE(Panel.PanelPenDown(20 + W + 1, 30)) << "right of the panel";
}
