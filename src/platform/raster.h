// Drawing contexts and the raster operations of the graphics service: pattern fill, block copy,
// masked copy with four-operand codes, mirrored stretch copy, rectangles, single pixels.
// Raster-operation numbers are the platform's: bits 16..23 hold the three-operand index.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/bitmap.h"
#include "platform/geometry.h"

namespace plat {

constexpr std::uint32_t kRopSrcCopy = 0x00CC0020;   // S
constexpr std::uint32_t kRopSrcPaint = 0x00EE0086;  // S | D
constexpr std::uint32_t kRopSrcInvert = 0x00660046; // S ^ D
constexpr std::uint32_t kRopPatCopy = 0x00F00021;   // P
constexpr std::uint32_t kRopBlackness = 0x00000042; // 0

// Four-operand code: foreground operation where the mask bit is 1, background where it is 0.
constexpr std::uint32_t MakeRop4(std::uint32_t fore, std::uint32_t back)
{
    return ((back << 8) & 0xFF000000u) | fore;
}
constexpr std::uint8_t RopIndex(std::uint32_t rop) { return static_cast<std::uint8_t>(rop >> 16); }

// The game's masked codes, named "where the mask is set / where it is clear" (S source, D
// destination, P the selected brush, 0 black); its pattern fill is kRopPatCopy above.
constexpr std::uint32_t kRopSourceOrBlack = 0x00CC0020;         // S / 0 (also the plain copy)
constexpr std::uint32_t kRopSourceOverDest = 0xEECC0020;        // S / D|S
constexpr std::uint32_t kRopInvertUnderMask = 0xEE660046;       // D^S / D|S
constexpr std::uint32_t kRopBlackUnderMask = 0xCC000042;        // 0 / S
constexpr std::uint32_t kRopOrUnderMask = 0xCCEE0086;           // D|S / S
constexpr std::uint32_t kRopBrushUnderMask = 0xEEF00021;        // P / D|S
constexpr std::uint32_t kRopBrushAroundMask = 0xF0EE0086;       // D|S / P
constexpr std::uint32_t kRopBlackUnderMaskOnBrush = 0xF0000042; // 0 / P
static_assert(kRopSourceOrBlack == MakeRop4(kRopSrcCopy, kRopBlackness));
static_assert(kRopSourceOverDest == MakeRop4(kRopSrcCopy, kRopSrcPaint));
static_assert(kRopInvertUnderMask == MakeRop4(kRopSrcInvert, kRopSrcPaint));

// The one generic rule: bit k of the index gives f for P = bit 2 of k, S = bit 1, D = bit 0,
// evaluated bitwise over whole words.
std::uint64_t EvaluateRop3(std::uint8_t index, std::uint64_t pattern, std::uint64_t source,
                           std::uint64_t destination);
bool RopUsesSource(std::uint8_t index);
bool RopUsesPattern(std::uint8_t index);

struct Brush {
    Color color = kWhite; // solid brushes only
};

struct Pen {
    Color color = kBlack;
    bool visible = true; // false: the null pen
};

// A drawing context: a selected bitmap plus drawing state. A new context holds a shared 1 x 1
// monochrome bitmap and the defaults: white brush, black pen, black text, white background.
class DrawContext {
public:
    DrawContext();
    explicit DrawContext(Bitmap* bitmap);

    Bitmap* bitmap() const { return bitmap_; }
    // Selects a bitmap (null reselects the stock 1 x 1 monochrome one); answers the previous one.
    Bitmap* select(Bitmap* bitmap);

    Brush brush;
    Pen pen;
    Color textColor = kBlack;
    Color backgroundColor = kWhite;

private:
    Bitmap* bitmap_;
};

// A bitmap compatible with the context: monochrome if its bitmap is, else of the same format.
std::unique_ptr<Bitmap> CreateCompatibleBitmap(const DrawContext& dc, int width, int height);

// Pattern (brush) fill of w x h at (x, y); negative extents cover [x + w, x). Fails (false) for
// an operation that uses the source.
bool PatBlt(DrawContext& dst, int x, int y, int w, int h, std::uint32_t rop);
// Block copy with any three-operand operation. Source pixels are first converted to the
// destination's format (mono to colour: 0 = destination text colour, 1 = its background colour;
// colour to mono: 1 where the pixel equals the source's background colour). Both rectangles are
// clipped to their bitmaps. src may be the destination itself.
bool BitBlt(DrawContext& dst, int x, int y, int w, int h, const DrawContext* src, int sx, int sy,
            std::uint32_t rop);
// Masked copy: destination pixel (x + i, y + j) uses mask pixel (mx + i, my + j); mask bit 1 takes
// the foreground operation (bits 16..23), 0 the background one (bits 24..31). A null mask acts
// as BitBlt with the foreground operation. The mask must be monochrome.
bool MaskBlt(DrawContext& dst, int x, int y, int w, int h, const DrawContext& src, int sx, int sy,
             const Bitmap* mask, int mx, int my, std::uint32_t rop4);
// Stretch copy for equal sizes with mirroring: a negative destination or source extent mirrors
// that axis (destination (W - 1, -W) from (0, W) gives column W - 1 - i = source column i).
bool StretchBlt(DrawContext& dst, int x, int y, int w, int h, const DrawContext& src, int sx,
                int sy, int sw, int sh, std::uint32_t rop);

// Fills columns left .. right - 1, rows top .. bottom - 1 with the brush; no outline.
void FillRect(DrawContext& dc, const Rect& rect, const Brush& brush);
// Outline with the pen, inside with the context's brush; right and bottom edges excluded.
bool Rectangle(DrawContext& dc, int left, int top, int right, int bottom);

// Colour at (x, y), or kInvalidColor outside the bitmap.
Color GetPixel(const DrawContext& dc, int x, int y);
// Stores the nearest colour the bitmap can hold and answers it; kInvalidColor outside.
Color SetPixel(DrawContext& dc, int x, int y, Color color);

} // namespace plat
