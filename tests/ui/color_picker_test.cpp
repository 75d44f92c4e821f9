// The colour picker's spectrum at the points a player picks most: pure hues in the middle row,
// shades above and below, the grey strip.
#include <gtest/gtest.h>

#include "ui/color_picker.h"

TEST(ColorPicker, HuesShadesAndGreyStripWhereTheyBelong)
{
    MakeColorPickerImage();
    ASSERT_TRUE(ColorPickerImage);
    plat::DrawContext dc(ColorPickerImage.get());
    EXPECT_EQ(plat::GetPixel(dc, 0, 25), plat::MakeColor(255, 0, 0));
    EXPECT_EQ(plat::GetPixel(dc, 17, 25), plat::MakeColor(255, 255, 0));
    EXPECT_EQ(plat::GetPixel(dc, 34, 25), plat::MakeColor(0, 255, 0));
    EXPECT_EQ(plat::GetPixel(dc, 68, 25), plat::MakeColor(0, 0, 255));
    EXPECT_EQ(plat::GetPixel(dc, 101, 25), plat::MakeColor(255, 0, 15)) << "last hue column";
    // Red darkens by 10 a row upwards (255 / 25) and pales towards white below.
    EXPECT_EQ(plat::GetPixel(dc, 0, 1), plat::MakeColor(15, 0, 0));
    EXPECT_EQ(plat::GetPixel(dc, 0, 49), plat::MakeColor(255, 240, 240));
    // Blue lightens: green and red grow by 10 a row below the middle.
    EXPECT_EQ(plat::GetPixel(dc, 68, 35), plat::MakeColor(100, 100, 255));
    EXPECT_EQ(plat::GetPixel(dc, 105, 20), plat::MakeColor(100, 100, 100));
    EXPECT_EQ(plat::GetPixel(dc, 109, 49), plat::MakeColor(245, 245, 245));
    EXPECT_EQ(plat::GetPixel(dc, 50, 0), plat::kBlack) << "row 0 of the hue columns is not drawn";
    plat::Bitmap* made = ColorPickerImage.get();
    MakeColorPickerImage();
    EXPECT_EQ(ColorPickerImage.get(), made) << "made once for the run";
}
