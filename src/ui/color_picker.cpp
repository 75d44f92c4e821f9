// The colour picker's spectrum, drawn column by column as the settings dialog always drew it.
#include "ui/color_picker.h"

std::unique_ptr<plat::Bitmap> ColorPickerImage;

namespace {

struct Rgb {
    int r, g, b;
};

// Each component keeps its low 8 bits, as the colour macro did.
plat::Color Pack(int r, int g, int b)
{
    return plat::MakeColor(static_cast<std::uint8_t>(r & 0xFF), static_cast<std::uint8_t>(g & 0xFF),
                           static_cast<std::uint8_t>(b & 0xFF));
}

// One hue column: darker by steps of c / half upwards from the middle row, lighter by steps of
// (255 - c) / half downwards.
void DrawHueColumn(plat::DrawContext& dc, int x, int y, int half, Rgb base)
{
    for (int k = 0; k < half; ++k) {
        plat::SetPixel(dc, x, y + half - k,
                       Pack(base.r - k * (base.r / half), base.g - k * (base.g / half),
                            base.b - k * (base.b / half)));
        plat::SetPixel(dc, x, y + half + k,
                       Pack(base.r + k * ((255 - base.r) / half), base.g + k * ((255 - base.g) / half),
                            base.b + k * ((255 - base.b) / half)));
    }
}

// The base colour of hue column j in segment `segment` (0..5): red, yellow, green, cyan, blue,
// magenta and back towards red, each segment n columns wide plus its end column.
Rgb HueOf(int segment, int j, int n, int s)
{
    int t = s * (j - segment * n);
    switch (segment) {
    case 0:
        return {255, t, 0};
    case 1:
        return {255 - t, 255, 0};
    case 2:
        return {0, 255, t};
    case 3:
        return {0, 255 - t, 255};
    case 4:
        return {t, 0, 255};
    default:
        return {255, 0, 255 - t};
    }
}

} // namespace

void DrawColorPicker(plat::DrawContext& dc, int x, int y, int w, int h)
{
    const int n = (w - 5) / 6;
    if (n <= 0)
        return;
    const int s = 255 / n;
    const int half = h / 2;
    for (int segment = 0; segment < 6; ++segment) {
        int last = segment == 5 ? 6 * n - 1 : (segment + 1) * n;
        for (int j = segment * n; j <= last; ++j)
            DrawHueColumn(dc, x + j, y, half, HueOf(segment, j, n, s));
    }
    if (w - 6 * n <= 6)
        return;
    for (int row = 0; row < h; ++row) {
        int g = row * (255 / h);
        for (int j = 6 * n; j < w; ++j)
            plat::SetPixel(dc, x + j, y + row, Pack(g, g, g));
    }
}

void MakeColorPickerImage()
{
    if (ColorPickerImage)
        return;
    ColorPickerImage = plat::CreateScreenBitmap(kColorPickerWidth, kColorPickerHeight);
    if (!ColorPickerImage)
        return;
    plat::DrawContext dc(ColorPickerImage.get());
    DrawColorPicker(dc, 0, 0, kColorPickerWidth, kColorPickerHeight);
}
