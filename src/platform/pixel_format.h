// Row access per pixel format: whole spans of stored values read and written at once, so the
// raster operations never make a call per pixel.
#pragma once

#include <cstdint>

namespace plat {

class Bitmap;

struct PixelFormatOps {
    int bitCount;
    // Stored values of pixels x .. x + n - 1 of row y (display order), one per element.
    void (*readValues)(const Bitmap& bitmap, int x, int y, int n, std::uint32_t* out);
    // Stores them; values are cut to the bit count.
    void (*writeValues)(Bitmap& bitmap, int x, int y, int n, const std::uint32_t* in);
};

// The operations for a bit count of 1, 4, 8, 16, 24 or 32; null for any other.
const PixelFormatOps* PixelFormatFor(int bitCount);

// Packed 1-bit rows. Bits are most significant first, as stored.
// Copies bits x .. x + n - 1 of a row into out starting at bit 0; out needs (n + 7) / 8 bytes.
void ExtractBits(const std::uint8_t* row, int x, int n, std::uint8_t* out);
// Stores bits 0 .. n - 1 of in at bits x .. x + n - 1 of row, leaving the other bits alone.
void StoreBits(std::uint8_t* row, int x, int n, const std::uint8_t* in);

} // namespace plat
