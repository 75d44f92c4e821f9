// Fill styles: the background layer in colour or picture, the program's own .bmp reader and
// the texture turned in 45-degree steps for texture-filled tiles.
#pragma once

#include <memory>
#include <string>

#include "platform/bitmap.h"
#include "platform/raster.h"

// Fills the BackgroundLayer with the colour.
void fillBackgroundColor(plat::Color color);
// Shows the picture's top-left 240 x 280 pixels in the BackgroundLayer (platform loader).
void loadBackgroundPicture(const std::string& path);
// Reads an uncompressed .bmp file into a DIB; null when the file is missing or not acceptable.
std::unique_ptr<plat::Bitmap> loadBmpFile(const std::string& path);
// Writes up to maxCount colour-table entries of the indexed DIB held by dc; answers how many.
int readColorTable(const plat::DrawContext& dc, int firstIndex, int maxCount, plat::RgbQuad* out);
// The source DIB turned counter-clockwise by degrees (nearest neighbour, black corners); or null.
std::unique_ptr<plat::Bitmap> rotateBitmap(const plat::Bitmap& source, int degrees);
// Fills turns[0..7] with the texture (mirrored left to right first if asked) turned by 45k
// degrees (mirrored: 0, 135, 90, 225, 180, 315, 270, 45); false on a failure, keeping what was made.
bool prepareTextures(const std::string& path, std::unique_ptr<plat::Bitmap> (&turns)[8], bool mirror);
