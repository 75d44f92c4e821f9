// Bitmaps of the graphics service: 1-bit monochrome, screen-compatible colour, and
// device-independent bitmaps (DIBs) whose header, colour table and pixel rows code can reach.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/geometry.h"

namespace plat {

enum class BitmapKind : std::uint8_t {
    Mono,   // device-dependent 1-bit: bit 1 = white, 0 = black, most significant bit leftmost
    Screen, // "compatible" colour surface: 32 bits per pixel, 0x00RRGGBB in memory, top row first
    Dib,    // device-independent: rows laid out exactly as in a .bmp file
};

// The 40-byte information header of a DIB, field for field as stored in a .bmp file.
struct DibInfoHeader {
    std::uint32_t size = 40;
    std::int32_t width = 0;
    std::int32_t height = 0; // negative: rows stored top row first
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t sizeImage = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t clrUsed = 0;
    std::uint32_t clrImportant = 0;
};
static_assert(sizeof(DibInfoHeader) == 40);

constexpr std::uint32_t kCompressionRgb = 0;
constexpr std::uint32_t kCompressionBitfields = 3;

// A colour-table entry as stored: blue, green, red, zero.
struct RgbQuad {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
    std::uint8_t reserved = 0;
    friend bool operator==(const RgbQuad&, const RgbQuad&) = default;
};
static_assert(sizeof(RgbQuad) == 4);

struct PixelFormatOps; // per-format row access, chosen once when a bitmap is made

class Bitmap {
public:
    ~Bitmap();
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    BitmapKind kind() const { return kind_; }
    int width() const { return width_; }
    int height() const { return height_; }
    Size size() const { return {width_, height_}; }
    int bitCount() const { return bitCount_; }
    int stride() const { return stride_; } // bytes per stored row
    bool isMonochrome() const { return bitCount_ == 1; }

    // Row y counted from the top of the picture as shown, whatever the storage order.
    std::uint8_t* row(int y);
    const std::uint8_t* row(int y) const;
    // The whole pixel buffer in stored order (a bottom-up DIB begins with its bottom row).
    std::span<std::uint8_t> bits() { return {pixels_.get(), pixelBytes_}; }
    std::span<const std::uint8_t> bits() const { return {pixels_.get(), pixelBytes_}; }

    // DIB only (a Mono or Screen bitmap answers a synthetic header and an empty table).
    const DibInfoHeader& info() const { return info_; }
    bool topDown() const { return topDown_; }
    std::vector<RgbQuad>& colorTable() { return colorTable_; }
    const std::vector<RgbQuad>& colorTable() const { return colorTable_; }
    // Masks of a 16- or 32-bit DIB: from the file for bit fields, else the defaults (5-5-5, 8-8-8).
    std::uint32_t redMask() const { return masks_[0]; }
    std::uint32_t greenMask() const { return masks_[1]; }
    std::uint32_t blueMask() const { return masks_[2]; }

    // Stored pixel values: palette index, packed 16/24/32-bit value, 0x00RRGGBB, or the bit.
    std::uint32_t pixelValue(int x, int y) const;
    void setPixelValue(int x, int y, std::uint32_t value);
    // Colour of a stored value (a Mono bitmap: 0 black, 1 white).
    Color valueToColor(std::uint32_t value) const;
    // Stored value for a colour: exact packing for direct colour, nearest entry for a palette.
    std::uint32_t colorToValue(Color color) const;

    const PixelFormatOps& ops() const { return *ops_; }

private:
    Bitmap() = default;
    friend std::unique_ptr<Bitmap> CreateMonoBitmap(int, int);
    friend std::unique_ptr<Bitmap> CreateScreenBitmap(int, int);
    friend std::unique_ptr<Bitmap> CreateDib(const DibInfoHeader&, std::span<const RgbQuad>,
                                             std::span<const std::uint32_t>);

    BitmapKind kind_ = BitmapKind::Mono;
    int width_ = 0;
    int height_ = 0;
    int bitCount_ = 1;
    int stride_ = 0;
    bool topDown_ = true;
    DibInfoHeader info_{};
    std::vector<RgbQuad> colorTable_;
    std::uint32_t masks_[3] = {0, 0, 0};
    // Zeroed by the allocator: pages of a large bitmap cost memory only once drawn on.
    struct FreePixels {
        void operator()(std::uint8_t* p) const;
    };
    std::unique_ptr<std::uint8_t[], FreePixels> pixels_;
    std::size_t pixelBytes_ = 0;
    bool allocatePixels();
    const PixelFormatOps* ops_ = nullptr;
};

// Largest side any bitmap may have; larger requests answer null.
constexpr int kMaxBitmapSide = 16384;

// A 1-bit bitmap, all black (0). Null for sides below 1 or above kMaxBitmapSide.
std::unique_ptr<Bitmap> CreateMonoBitmap(int width, int height);
// A screen-compatible colour bitmap, all black.
std::unique_ptr<Bitmap> CreateScreenBitmap(int width, int height);
// A DIB from an information header and its colour table (entries beyond what the bit count can
// index are kept but unused) or, for compression 3, the three masks red, green, blue.
// Pixels are zero. Null when the header cannot be held: bit count not 1, 4, 8, 16, 24 or 32,
// compression other than 0 or 3 (3 only with 16 or 32 bits), a side of 0 or above kMaxBitmapSide.
std::unique_ptr<Bitmap> CreateDib(const DibInfoHeader& info, std::span<const RgbQuad> colorTable,
                                  std::span<const std::uint32_t> masks = {});
// A bitmap of the same kind and format as the model (a DIB copies header, table and masks).
std::unique_ptr<Bitmap> CreateBitmapLike(const Bitmap& model, int width, int height);
// A 1-bit bitmap from pixel-art rows, '#' set (white), anything else clear.
std::unique_ptr<Bitmap> MonoBitmapFromArt(std::span<const char* const> rows);

} // namespace plat
