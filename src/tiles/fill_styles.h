// Fill styles: the background layer in colour or picture, the program's own .bmp reader and
// the texture turned in 45-degree steps for texture-filled tiles.
#pragma once

#include <memory>
#include <string>

#include "platform/bitmap.h"
#include "platform/raster.h"

// Fills the BackgroundLayer with the colour.
void fillBackgroundColor(plat::Color color);
// Shows the picture's top-left 240 x 280 pixels in the BackgroundLayer (platform loader);
// black where the picture is missing, unreadable or smaller.
void loadBackgroundPicture(const std::string& path);
// Reads an uncompressed or bit-field .bmp file into a DIB; null when it is missing or fails the
// header checks of ParseBmpHeaders or its rows are short. A stated used-colour count blackens entry 0.
std::unique_ptr<plat::Bitmap> loadBmpFile(const std::string& path);
// loadBmpFile of the file's top-left side x side block; only the block's rows are read.
std::unique_ptr<plat::Bitmap> loadBmpBlock(const std::string& path, int side);
// Writes entries firstIndex .. n - 1 of the table of the indexed DIB held by dc to out[0 ..]
// (n: its stated colour count, at most maxCount and 256); answers how many. 0 if not indexed.
int readColorTable(const plat::DrawContext& dc, int firstIndex, int maxCount, plat::RgbQuad* out);
// The bottom-up source DIB turned counter-clockwise by degrees in single-precision arithmetic
// (nearest neighbour, black corners); null for top-down rows, a non-DIB or an empty result.
std::unique_ptr<plat::Bitmap> rotateBitmap(const plat::Bitmap& source, int degrees);
// Largest texture side prepareTextures turns; a larger texture is taken by its top-left block.
// Sixteen turned copies of a big texture would cost hundreds of megabytes and a second, while a
// tile shows about 100 x 100 pixels of a copy (the shipped textures are 88 x 88).
constexpr int kMaxTextureSide = 256;

// Fills turns[0..7] with the texture (its top-left kMaxTextureSide block; mirrored left to right
// first if asked) turned by 45k degrees (mirrored: 0, 135, 90, 225, 180, 315, 270, 45); false on
// a failure, keeping what was made.
bool prepareTextures(const std::string& path, std::unique_ptr<plat::Bitmap> (&turns)[8], bool mirror);
