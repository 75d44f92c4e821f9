// The settings dialog's colour picker: a spectrum of hues, darker upwards and lighter downwards,
// with a grey strip at the right, made once and kept for the run.
#pragma once

#include <memory>

#include "platform/bitmap.h"
#include "platform/raster.h"

constexpr int kColorPickerWidth = 110;
constexpr int kColorPickerHeight = 50;

// Made the first time the settings dialog opens; null until then.
extern std::unique_ptr<plat::Bitmap> ColorPickerImage;

// Paints the picker into the rectangle (x, y, w, h) of the context: hue columns of
// (w - 5) / 6 pixels per segment, rows 1 .. h - 1 shaded, and a grey strip in the columns left
// over when there are at least 7.
void DrawColorPicker(plat::DrawContext& dc, int x, int y, int w, int h);
// Creates ColorPickerImage compatible with the screen and draws it, unless it exists already.
void MakeColorPickerImage();
