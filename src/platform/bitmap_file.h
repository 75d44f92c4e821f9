// .bmp files: checking their headers against hostile values, the platform's picture loader
// (decoded to a screen bitmap) and writing a DIB back out as a .bmp file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/files.h"

namespace plat {

constexpr int kMaxBmpSide = 8192;               // wider or taller pictures are refused
constexpr std::uint32_t kMaxBmpHeadBytes = 65536; // headers and colour table before the pixels
constexpr int kBmpFileHeaderBytes = 14;

// What the headers of an uncompressed or bit-field .bmp file say, every part checked to fit.
struct BmpHeaders {
    DibInfoHeader info;                  // the first 40 bytes of the information header
    std::vector<RgbQuad> colorTable;     // the entries the file stores (used count, else 2^bits)
    std::uint32_t masks[3] = {0, 0, 0};  // red, green, blue of a bit-field file
    std::uint32_t pixelOffset = 0;       // from the start of the file
    std::size_t pixelBytes = 0;          // all rows, padding included
};

// The pixel-data offset of a 14-byte file header; 0 when it is short or does not begin "BM".
std::uint32_t BmpPixelOffset(std::span<const std::uint8_t> fileHeader);
// Checks the file's first pixelOffset bytes (file header, information header, masks, colour
// table). Refused (nullopt): a header that does not fit before the pixels, an information header
// other than 40, 52, 56, 108 or 124 bytes, width outside 1..kMaxBmpSide, height 0 or beyond
// +-kMaxBmpSide, planes other than 1, bits other than 1, 4, 8, 16, 24, 32, compression other than
// none or bit fields (16 and 32 bits only), a colour table above 256 entries or not fitting.
std::optional<BmpHeaders> ParseBmpHeaders(std::span<const std::uint8_t> head);
// Reads and checks the headers at the start of an open file, leaving it at the pixel data.
std::optional<BmpHeaders> ReadBmpHeaders(File& file);
// The file as a .bmp image of its top-left width x height block (smaller where the picture is):
// its headers with the block's size, then the block's rows cut to the block. Only those rows are
// read, so a huge file costs what the block costs. Empty when the headers are refused or the file
// does not hold all its rows.
std::vector<std::uint8_t> ReadBmpBlock(const std::string& path, int width, int height);

// The platform's picture loader: decodes a .bmp file that passes ParseBmpHeaders and holds all
// its rows into a screen bitmap; null otherwise.
std::unique_ptr<Bitmap> LoadBitmapFile(const std::string& path);
// The same for the picture's top-left width x height block (smaller where the picture is):
// only the block's rows are read and decoded, so the cost does not grow with the picture.
std::unique_ptr<Bitmap> LoadBitmapBlock(const std::string& path, int width, int height);
// Writes a DIB as a .bmp file (bottom-up rows as stored, its colour table or bit-field masks).
// False when the bitmap is not a DIB or the file cannot be written whole.
bool SaveBitmapFile(const std::string& path, const Bitmap& dib);

} // namespace plat
