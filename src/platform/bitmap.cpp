// Bitmaps: creation, row addressing in display order, stored values and their colours.
#include "platform/bitmap.h"

#include <bit>
#include <cstdlib>
#include <cstring>

#include "platform/pixel_format.h"

namespace plat {

namespace {

// ---- row access per bit count -------------------------------------------------------------

void ReadBits1(const Bitmap& b, int x, int y, int n, std::uint32_t* out)
{
    const std::uint8_t* r = b.row(y);
    for (int i = 0; i < n; ++i) {
        int px = x + i;
        out[i] = (r[px >> 3] >> (7 - (px & 7))) & 1u;
    }
}

void WriteBits1(Bitmap& b, int x, int y, int n, const std::uint32_t* in)
{
    std::uint8_t* r = b.row(y);
    for (int i = 0; i < n; ++i) {
        int px = x + i;
        std::uint8_t bit = static_cast<std::uint8_t>(0x80 >> (px & 7));
        r[px >> 3] = static_cast<std::uint8_t>((in[i] & 1u) ? (r[px >> 3] | bit) : (r[px >> 3] & ~bit));
    }
}

void ReadBits4(const Bitmap& b, int x, int y, int n, std::uint32_t* out)
{
    const std::uint8_t* r = b.row(y);
    for (int i = 0; i < n; ++i) {
        int px = x + i;
        out[i] = (px & 1) ? (r[px >> 1] & 0x0Fu) : (r[px >> 1] >> 4u);
    }
}

void WriteBits4(Bitmap& b, int x, int y, int n, const std::uint32_t* in)
{
    std::uint8_t* r = b.row(y);
    for (int i = 0; i < n; ++i) {
        int px = x + i;
        std::uint8_t v = static_cast<std::uint8_t>(in[i] & 0x0Fu);
        std::uint8_t& cell = r[px >> 1];
        cell = (px & 1) ? static_cast<std::uint8_t>((cell & 0xF0) | v)
                        : static_cast<std::uint8_t>((cell & 0x0F) | (v << 4));
    }
}

void ReadBits8(const Bitmap& b, int x, int y, int n, std::uint32_t* out)
{
    const std::uint8_t* r = b.row(y) + x;
    for (int i = 0; i < n; ++i)
        out[i] = r[i];
}

void WriteBits8(Bitmap& b, int x, int y, int n, const std::uint32_t* in)
{
    std::uint8_t* r = b.row(y) + x;
    for (int i = 0; i < n; ++i)
        r[i] = static_cast<std::uint8_t>(in[i]);
}

void ReadBits16(const Bitmap& b, int x, int y, int n, std::uint32_t* out)
{
    const std::uint8_t* r = b.row(y) + 2 * x;
    for (int i = 0; i < n; ++i)
        out[i] = static_cast<std::uint32_t>(r[2 * i] | (r[2 * i + 1] << 8));
}

void WriteBits16(Bitmap& b, int x, int y, int n, const std::uint32_t* in)
{
    std::uint8_t* r = b.row(y) + 2 * x;
    for (int i = 0; i < n; ++i) {
        r[2 * i] = static_cast<std::uint8_t>(in[i]);
        r[2 * i + 1] = static_cast<std::uint8_t>(in[i] >> 8);
    }
}

void ReadBits24(const Bitmap& b, int x, int y, int n, std::uint32_t* out)
{
    const std::uint8_t* r = b.row(y) + 3 * x;
    for (int i = 0; i < n; ++i)
        out[i] = static_cast<std::uint32_t>(r[3 * i] | (r[3 * i + 1] << 8) | (r[3 * i + 2] << 16));
}

void WriteBits24(Bitmap& b, int x, int y, int n, const std::uint32_t* in)
{
    std::uint8_t* r = b.row(y) + 3 * x;
    for (int i = 0; i < n; ++i) {
        r[3 * i] = static_cast<std::uint8_t>(in[i]);
        r[3 * i + 1] = static_cast<std::uint8_t>(in[i] >> 8);
        r[3 * i + 2] = static_cast<std::uint8_t>(in[i] >> 16);
    }
}

// Pixels are little-endian 32-bit words; memcpy keeps unaligned rows of DIBs safe.
void ReadBits32(const Bitmap& b, int x, int y, int n, std::uint32_t* out)
{
    std::memcpy(out, b.row(y) + 4 * x, static_cast<std::size_t>(n) * 4);
}

void WriteBits32(Bitmap& b, int x, int y, int n, const std::uint32_t* in)
{
    std::memcpy(b.row(y) + 4 * x, in, static_cast<std::size_t>(n) * 4);
}

constexpr PixelFormatOps kFormats[] = {
    {1, ReadBits1, WriteBits1},    {4, ReadBits4, WriteBits4},    {8, ReadBits8, WriteBits8},
    {16, ReadBits16, WriteBits16}, {24, ReadBits24, WriteBits24}, {32, ReadBits32, WriteBits32},
};

int DibStride(int width, int bitCount) { return ((bitCount * width + 31) / 32) * 4; }
int MonoStride(int width) { return ((width + 15) / 16) * 2; } // device bitmaps: word-aligned rows

bool SideOk(int side) { return side >= 1 && side <= kMaxBitmapSide; }

// A mask component scaled to 8 bits: rounding for narrow fields, as reference decoders do.
int MaskComponent(std::uint32_t value, std::uint32_t mask)
{
    if (mask == 0)
        return 0;
    int shift = std::countr_zero(mask);
    int bits = std::popcount(mask);
    std::uint32_t v = (value & mask) >> shift;
    if (bits == 8)
        return static_cast<int>(v);
    if (bits > 8)
        return static_cast<int>(v >> (bits - 8));
    std::uint32_t top = (1u << bits) - 1;
    return static_cast<int>((v * 255 + top / 2) / top);
}

// A component packed into a mask field by truncation.
std::uint32_t PackComponent(int component, std::uint32_t mask)
{
    if (mask == 0)
        return 0;
    int shift = std::countr_zero(mask);
    int bits = std::popcount(mask);
    std::uint32_t v = static_cast<std::uint32_t>(component & 0xFF);
    v = bits >= 8 ? v << (bits - 8) : v >> (8 - bits);
    return (v << shift) & mask;
}

int ColorDistance(Color a, Color b)
{
    int dr = ColorRed(a) - ColorRed(b), dg = ColorGreen(a) - ColorGreen(b),
        db = ColorBlue(a) - ColorBlue(b);
    return dr * dr + dg * dg + db * db;
}

Color QuadColor(const RgbQuad& q) { return MakeColor(q.red, q.green, q.blue); }

} // namespace

const PixelFormatOps* PixelFormatFor(int bitCount)
{
    for (const PixelFormatOps& f : kFormats)
        if (f.bitCount == bitCount)
            return &f;
    return nullptr;
}

void ExtractBits(const std::uint8_t* row, int x, int n, std::uint8_t* out)
{
    int bytes = (n + 7) / 8;
    int first = x >> 3, shift = x & 7;
    int lastSource = (x + n - 1) >> 3; // never read past the last byte that holds a wanted bit
    for (int i = 0; i < bytes; ++i) {
        unsigned v = static_cast<unsigned>(row[first + i]) << shift;
        if (shift != 0 && first + i + 1 <= lastSource)
            v |= row[first + i + 1] >> (8 - shift);
        out[i] = static_cast<std::uint8_t>(v);
    }
    if (n & 7)
        out[bytes - 1] = static_cast<std::uint8_t>(out[bytes - 1] & (0xFF00u >> (n & 7)));
}

void StoreBits(std::uint8_t* row, int x, int n, const std::uint8_t* in)
{
    int firstByte = x >> 3, lastByte = (x + n - 1) >> 3;
    int inBytes = (n + 7) / 8;
    for (int k = firstByte; k <= lastByte; ++k) {
        int p = 8 * k - x; // bit of `in` that lands on the byte's leftmost pixel
        unsigned v;
        if (p < 0) {
            v = in[0] >> (-p);
        } else {
            int i = p >> 3, s = p & 7;
            v = static_cast<unsigned>(in[i]) << s;
            if (s != 0 && i + 1 < inBytes)
                v |= in[i + 1] >> (8 - s);
        }
        int lo = std::max(x, 8 * k) - 8 * k, hi = std::min(x + n, 8 * k + 8) - 8 * k;
        unsigned mask = (0xFFu >> lo) & (0xFFu << (8 - hi));
        row[k] = static_cast<std::uint8_t>((row[k] & ~mask) | (v & mask));
    }
}

Bitmap::~Bitmap() = default;

void Bitmap::FreePixels::operator()(std::uint8_t* p) const
{
    std::free(p);
}

bool Bitmap::allocatePixels()
{
    pixelBytes_ = static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height_);
    pixels_.reset(static_cast<std::uint8_t*>(std::calloc(pixelBytes_, 1)));
    return pixels_ != nullptr;
}

std::uint8_t* Bitmap::row(int y)
{
    int stored = topDown_ ? y : height_ - 1 - y;
    return pixels_.get() + static_cast<std::size_t>(stored) * static_cast<std::size_t>(stride_);
}

const std::uint8_t* Bitmap::row(int y) const
{
    int stored = topDown_ ? y : height_ - 1 - y;
    return pixels_.get() + static_cast<std::size_t>(stored) * static_cast<std::size_t>(stride_);
}

std::uint32_t Bitmap::pixelValue(int x, int y) const
{
    std::uint32_t v = 0;
    ops_->readValues(*this, x, y, 1, &v);
    return v;
}

void Bitmap::setPixelValue(int x, int y, std::uint32_t value) { ops_->writeValues(*this, x, y, 1, &value); }

Color Bitmap::valueToColor(std::uint32_t value) const
{
    if (kind_ == BitmapKind::Mono)
        return (value & 1u) ? kWhite : kBlack;
    if (kind_ == BitmapKind::Screen)
        return MakeColor(static_cast<int>(value >> 16), static_cast<int>(value >> 8), static_cast<int>(value));
    if (bitCount_ <= 8)
        return value < colorTable_.size() ? QuadColor(colorTable_[value]) : kBlack;
    return MakeColor(MaskComponent(value, masks_[0]), MaskComponent(value, masks_[1]),
                     MaskComponent(value, masks_[2]));
}

std::uint32_t Bitmap::colorToValue(Color color) const
{
    if (kind_ == BitmapKind::Mono)
        return ColorDistance(color, kWhite) < ColorDistance(color, kBlack) ? 1u : 0u;
    if (kind_ == BitmapKind::Screen)
        return static_cast<std::uint32_t>((ColorRed(color) << 16) | (ColorGreen(color) << 8) | ColorBlue(color));
    if (bitCount_ <= 8) {
        std::size_t usable = std::min<std::size_t>(colorTable_.size(), std::size_t{1} << bitCount_);
        std::uint32_t best = 0;
        int bestDistance = 1 << 30;
        for (std::size_t i = 0; i < usable; ++i) {
            int d = ColorDistance(color, QuadColor(colorTable_[i]));
            if (d < bestDistance) {
                bestDistance = d;
                best = static_cast<std::uint32_t>(i);
            }
        }
        return best;
    }
    return PackComponent(ColorRed(color), masks_[0]) | PackComponent(ColorGreen(color), masks_[1]) |
           PackComponent(ColorBlue(color), masks_[2]);
}

std::unique_ptr<Bitmap> CreateMonoBitmap(int width, int height)
{
    if (!SideOk(width) || !SideOk(height))
        return nullptr;
    std::unique_ptr<Bitmap> b(new Bitmap());
    b->kind_ = BitmapKind::Mono;
    b->width_ = width;
    b->height_ = height;
    b->bitCount_ = 1;
    b->stride_ = MonoStride(width);
    b->info_.width = width;
    b->info_.height = -height;
    b->info_.bitCount = 1;
    if (!b->allocatePixels())
        return nullptr;
    b->ops_ = PixelFormatFor(1);
    return b;
}

std::unique_ptr<Bitmap> CreateScreenBitmap(int width, int height)
{
    if (!SideOk(width) || !SideOk(height))
        return nullptr;
    std::unique_ptr<Bitmap> b(new Bitmap());
    b->kind_ = BitmapKind::Screen;
    b->width_ = width;
    b->height_ = height;
    b->bitCount_ = 32;
    b->stride_ = width * 4;
    b->info_.width = width;
    b->info_.height = -height;
    b->info_.bitCount = 32;
    b->masks_[0] = 0x00FF0000;
    b->masks_[1] = 0x0000FF00;
    b->masks_[2] = 0x000000FF;
    if (!b->allocatePixels())
        return nullptr;
    b->ops_ = PixelFormatFor(32);
    return b;
}

std::unique_ptr<Bitmap> CreateDib(const DibInfoHeader& info, std::span<const RgbQuad> colorTable,
                                  std::span<const std::uint32_t> masks)
{
    const PixelFormatOps* ops = PixelFormatFor(info.bitCount);
    if (!ops)
        return nullptr;
    bool bitfields = info.compression == kCompressionBitfields;
    if (info.compression != kCompressionRgb && !bitfields)
        return nullptr;
    if (bitfields && ((info.bitCount != 16 && info.bitCount != 32) || masks.size() < 3))
        return nullptr;
    // The height's sign says the row order; its size must fit (beware INT_MIN).
    if (info.height < -kMaxBitmapSide || info.height > kMaxBitmapSide)
        return nullptr;
    int height = info.height < 0 ? -info.height : info.height;
    if (!SideOk(info.width) || !SideOk(height))
        return nullptr;

    std::unique_ptr<Bitmap> b(new Bitmap());
    b->kind_ = BitmapKind::Dib;
    b->width_ = info.width;
    b->height_ = height;
    b->bitCount_ = info.bitCount;
    b->stride_ = DibStride(info.width, info.bitCount);
    b->topDown_ = info.height < 0;
    b->info_ = info;
    b->colorTable_.assign(colorTable.begin(), colorTable.end());
    if (bitfields) {
        for (int i = 0; i < 3; ++i)
            b->masks_[i] = masks[static_cast<std::size_t>(i)];
    } else if (info.bitCount == 16) {
        b->masks_[0] = 0x7C00;
        b->masks_[1] = 0x03E0;
        b->masks_[2] = 0x001F;
    } else if (info.bitCount >= 24) {
        b->masks_[0] = 0x00FF0000;
        b->masks_[1] = 0x0000FF00;
        b->masks_[2] = 0x000000FF;
    }
    if (!b->allocatePixels())
        return nullptr;
    b->ops_ = ops;
    return b;
}

std::unique_ptr<Bitmap> CreateBitmapLike(const Bitmap& model, int width, int height)
{
    switch (model.kind()) {
    case BitmapKind::Mono:
        return CreateMonoBitmap(width, height);
    case BitmapKind::Screen:
        return CreateScreenBitmap(width, height);
    case BitmapKind::Dib:
        break;
    }
    DibInfoHeader info = model.info();
    info.width = width;
    info.height = model.topDown() ? -height : height;
    info.sizeImage = 0;
    std::uint32_t masks[3] = {model.redMask(), model.greenMask(), model.blueMask()};
    return CreateDib(info, model.colorTable(), masks);
}

std::unique_ptr<Bitmap> MonoBitmapFromArt(std::span<const char* const> rows)
{
    int width = 0;
    for (const char* r : rows)
        width = std::max(width, static_cast<int>(std::strlen(r)));
    auto b = CreateMonoBitmap(width, static_cast<int>(rows.size()));
    if (!b)
        return nullptr;
    for (int y = 0; y < b->height(); ++y)
        for (int x = 0; rows[static_cast<std::size_t>(y)][x] != '\0'; ++x)
            if (rows[static_cast<std::size_t>(y)][x] == '#')
                b->setPixelValue(x, y, 1);
    return b;
}

} // namespace plat
