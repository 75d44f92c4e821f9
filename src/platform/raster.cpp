// Raster operations on packed rows: every three-operand code is evaluated from its index by one
// branch-free rule, a row at a time, on stored pixel values (or packed bits for 1-bit targets).
#include "platform/raster.h"

#include <cstring>
#include <vector>

#include "platform/pixel_format.h"

namespace plat {

namespace {

// The eight truth-table bits of an index as all-ones or all-zeros words.
template <class T>
struct RopTable {
    T bit[8];
    explicit RopTable(std::uint8_t index)
    {
        for (int k = 0; k < 8; ++k)
            bit[k] = ((index >> k) & 1) ? static_cast<T>(~T{0}) : T{0};
    }
};

template <class T>
inline T Mux(T select, T one, T zero)
{
    return static_cast<T>((select & one) | (~select & zero));
}

// An operation with its pattern fixed, as the brush is for a whole blit: the first of the three
// levels of multiplexers (bit k = 4P + 2S + D of the index, chosen bitwise by P) leaves the four
// results for (S, D) = (0, 0), (0, 1), (1, 0), (1, 1); a pixel then needs only the other two.
template <class T>
struct BoundRop {
    T s0d0, s0d1, s1d0, s1d1;
};

template <class T>
inline BoundRop<T> BindPattern(const RopTable<T>& t, T p)
{
    return {Mux(p, t.bit[4], t.bit[0]), Mux(p, t.bit[5], t.bit[1]), Mux(p, t.bit[6], t.bit[2]),
            Mux(p, t.bit[7], t.bit[3])};
}

template <class T>
inline T EvalBound(const BoundRop<T>& r, T s, T d)
{
    return Mux(d, Mux(s, r.s1d1, r.s0d1), Mux(s, r.s1d0, r.s0d0));
}

template <class T>
inline T EvalRop(const RopTable<T>& t, T p, T s, T d)
{
    return EvalBound(BindPattern(t, p), s, d);
}

Bitmap* StockBitmap()
{
    static std::unique_ptr<Bitmap> stock = CreateMonoBitmap(1, 1);
    return stock.get();
}

bool IsMonoDevice(const Bitmap& b) { return b.kind() == BitmapKind::Mono; }

// A solid colour as a 1-bit target stores it: exact table entries as they are, otherwise the
// background colour's entry for the background colour and the other entry for anything else.
std::uint32_t SolidValue(const DrawContext& dc, Color color)
{
    const Bitmap& b = *dc.bitmap();
    if (!b.isMonochrome())
        return b.colorToValue(color);
    if (color == b.valueToColor(0))
        return 0;
    if (color == b.valueToColor(1))
        return 1;
    std::uint32_t bg = b.colorToValue(dc.backgroundColor);
    return color == dc.backgroundColor ? bg : 1 - bg;
}

struct Span {
    int x, y, w, h;    // destination
    int sx, sy;        // source
    int mx, my;        // mask
};

// Clips the destination rectangle to its bitmap, moving source and mask origins along.
// Source and mask must cover what remains; answers false when nothing is left to draw.
bool ClipSpan(Span& s, const Bitmap& dst, const Bitmap* src, const Bitmap* mask)
{
    auto clipAxis = [](int& d, int& len, int& so, int& mo, int dLimit, int sLimit, int mLimit) {
        int lo = std::max({0, -so + d, -mo + d});
        int hi = std::min({dLimit, sLimit - so + d, mLimit - mo + d});
        lo = std::max(lo, d);
        hi = std::min(hi, d + len);
        if (hi <= lo)
            return false;
        so += lo - d;
        mo += lo - d;
        len = hi - lo;
        d = lo;
        return true;
    };
    constexpr int kHuge = 1 << 30;
    int sw = src ? src->width() : kHuge, sh = src ? src->height() : kHuge;
    int mw = mask ? mask->width() : kHuge, mh = mask ? mask->height() : kHuge;
    if (!src) {
        s.sx = s.x;
        s.sy = s.y;
    }
    if (!mask) {
        s.mx = s.x;
        s.my = s.y;
    }
    return clipAxis(s.x, s.w, s.sx, s.mx, dst.width(), sw, mw) &&
           clipAxis(s.y, s.h, s.sy, s.my, dst.height(), sh, mh);
}

// How source pixels become destination values.
struct SourceConverter {
    enum class Mode { Raw, Lookup, ViaColor, MonoBackground, Nearest } mode = Mode::Raw;
    std::vector<std::uint32_t> lookup; // Lookup: by source value
    std::uint32_t background = 0;      // MonoBackground: the source's background as stored
};

bool SameColours(const Bitmap& a, const Bitmap& b, int entries)
{
    for (std::uint32_t v = 0; v < static_cast<std::uint32_t>(entries); ++v)
        if (a.valueToColor(v) != b.valueToColor(v))
            return false;
    return true;
}

bool SameDirectFormat(const Bitmap& a, const Bitmap& b)
{
    return a.bitCount() > 8 && b.bitCount() > 8 && a.redMask() == b.redMask() &&
           a.greenMask() == b.greenMask() && a.blueMask() == b.blueMask() &&
           (a.bitCount() == b.bitCount() || (a.bitCount() >= 24 && b.bitCount() >= 24));
}

SourceConverter MakeConverter(const DrawContext& dstDc, const DrawContext& srcDc)
{
    const Bitmap& dst = *dstDc.bitmap();
    const Bitmap& src = *srcDc.bitmap();
    SourceConverter c;
    if (dst.isMonochrome()) {
        if (src.isMonochrome() && SameColours(src, dst, 2))
            return c; // bits copied unchanged
        if (IsMonoDevice(dst) && !src.isMonochrome()) {
            c.mode = SourceConverter::Mode::MonoBackground;
            c.background = src.colorToValue(srcDc.backgroundColor);
            return c;
        }
        c.mode = SourceConverter::Mode::Nearest;
        return c;
    }
    if (IsMonoDevice(src)) {
        // Mono to colour: 0 takes the destination's text colour, 1 its background colour.
        c.mode = SourceConverter::Mode::Lookup;
        c.lookup = {dst.colorToValue(dstDc.textColor), dst.colorToValue(dstDc.backgroundColor)};
        return c;
    }
    if (src.bitCount() <= 8) {
        if (dst.kind() == BitmapKind::Dib && dst.bitCount() == src.bitCount() &&
            SameColours(src, dst, 1 << src.bitCount()))
            return c;
        c.mode = SourceConverter::Mode::Lookup;
        c.lookup.resize(std::size_t{1} << src.bitCount());
        for (std::uint32_t v = 0; v < c.lookup.size(); ++v)
            c.lookup[v] = dst.colorToValue(src.valueToColor(v));
        return c;
    }
    if (SameDirectFormat(src, dst))
        return c;
    c.mode = SourceConverter::Mode::ViaColor;
    return c;
}

// Reads n source pixels as destination values.
void ConvertRow(const SourceConverter& c, const Bitmap& src, const Bitmap& dst, int sx, int sy, int n,
                std::uint32_t* out)
{
    src.ops().readValues(src, sx, sy, n, out);
    switch (c.mode) {
    case SourceConverter::Mode::Raw: // 24-bit values already read with a zero top byte
        break;
    case SourceConverter::Mode::Lookup:
        for (int i = 0; i < n; ++i)
            out[i] = out[i] < c.lookup.size() ? c.lookup[out[i]] : c.lookup[0];
        break;
    case SourceConverter::Mode::ViaColor:
    case SourceConverter::Mode::Nearest:
        for (int i = 0; i < n; ++i)
            out[i] = dst.colorToValue(src.valueToColor(out[i]));
        break;
    case SourceConverter::Mode::MonoBackground:
        for (int i = 0; i < n; ++i)
            out[i] = out[i] == c.background ? 1u : 0u;
        break;
    }
}

// Packs 0/1 values into bits, most significant first.
void PackBits(const std::uint32_t* values, int n, std::uint8_t* out)
{
    std::memset(out, 0, static_cast<std::size_t>((n + 7) / 8));
    for (int i = 0; i < n; ++i)
        if (values[i] & 1u)
            out[i >> 3] = static_cast<std::uint8_t>(out[i >> 3] | (0x80 >> (i & 7)));
}

// One blit, row by row: result = mask ? fore(P, S, D) : back(P, S, D).
struct BlitJob {
    DrawContext* dst;
    const DrawContext* src; // null when no operation reads the source
    const Bitmap* mask;     // null: fore everywhere
    std::uint8_t fore;
    std::uint8_t back;
    Span span;
};

void RunMonoRows(const BlitJob& job)
{
    Bitmap& dst = *job.dst->bitmap();
    const Span& s = job.span;
    std::size_t words = static_cast<std::size_t>((s.w + 63) / 64);
    std::vector<std::uint64_t> d(words), src(words), m(words);
    std::vector<std::uint32_t> values;
    std::uint64_t p = SolidValue(*job.dst, job.dst->brush.color) ? ~std::uint64_t{0} : 0;
    const BoundRop<std::uint64_t> fore = BindPattern(RopTable<std::uint64_t>(job.fore), p);
    const BoundRop<std::uint64_t> back = BindPattern(RopTable<std::uint64_t>(job.back), p);
    SourceConverter conv;
    bool rawSource = false;
    if (job.src) {
        conv = MakeConverter(*job.dst, *job.src);
        rawSource = conv.mode == SourceConverter::Mode::Raw;
        if (!rawSource)
            values.resize(static_cast<std::size_t>(s.w));
    }
    bool bottomUp = job.src && job.src->bitmap() == &dst && s.sy < s.y;
    for (int jj = 0; jj < s.h; ++jj) {
        int j = bottomUp ? s.h - 1 - jj : jj;
        auto* db = reinterpret_cast<std::uint8_t*>(d.data());
        ExtractBits(dst.row(s.y + j), s.x, s.w, db);
        if (job.src) {
            const Bitmap& sb = *job.src->bitmap();
            auto* sbits = reinterpret_cast<std::uint8_t*>(src.data());
            if (rawSource) {
                ExtractBits(sb.row(s.sy + j), s.sx, s.w, sbits);
            } else {
                ConvertRow(conv, sb, dst, s.sx, s.sy + j, s.w, values.data());
                PackBits(values.data(), s.w, sbits);
            }
        }
        if (job.mask)
            ExtractBits(job.mask->row(s.my + j), s.mx, s.w, reinterpret_cast<std::uint8_t*>(m.data()));
        for (std::size_t k = 0; k < words; ++k) {
            std::uint64_t f = EvalBound(fore, src[k], d[k]);
            d[k] = job.mask ? Mux(m[k], f, EvalBound(back, src[k], d[k])) : f;
        }
        StoreBits(dst.row(s.y + j), s.x, s.w, db);
    }
}

void RunColourRows(const BlitJob& job)
{
    Bitmap& dst = *job.dst->bitmap();
    const Span& s = job.span;
    std::size_t n = static_cast<std::size_t>(s.w);
    // Rows are worked on in scratch kept between blits: most blits are small and many.
    static thread_local std::vector<std::uint32_t> d, src;
    static thread_local std::vector<std::uint8_t> maskBits;
    d.resize(n);
    src.assign(n, 0);
    maskBits.resize((n + 7) / 8 + 1);
    std::uint32_t p = SolidValue(*job.dst, job.dst->brush.color);
    const BoundRop<std::uint32_t> fore = BindPattern(RopTable<std::uint32_t>(job.fore), p);
    const BoundRop<std::uint32_t> back = BindPattern(RopTable<std::uint32_t>(job.back), p);
    // Screen pixels are 0x00RRGGBB: their top byte stays zero whatever the operation.
    std::uint32_t keep = dst.kind() == BitmapKind::Screen ? 0x00FFFFFFu
                         : dst.bitCount() >= 32          ? ~0u
                                                         : (1u << dst.bitCount()) - 1;
    SourceConverter conv;
    if (job.src)
        conv = MakeConverter(*job.dst, *job.src);
    bool bottomUp = job.src && job.src->bitmap() == &dst && s.sy < s.y;
    for (int jj = 0; jj < s.h; ++jj) {
        int j = bottomUp ? s.h - 1 - jj : jj;
        dst.ops().readValues(dst, s.x, s.y + j, s.w, d.data());
        if (job.src)
            ConvertRow(conv, *job.src->bitmap(), dst, s.sx, s.sy + j, s.w, src.data());
        if (job.mask) {
            ExtractBits(job.mask->row(s.my + j), s.mx, s.w, maskBits.data());
            // Eight pixels a mask byte: a byte all set or all clear takes one operation for all.
            for (std::size_t i = 0; i < n; i += 8) {
                std::uint8_t bits = maskBits[i >> 3];
                std::size_t end = std::min(n, i + 8);
                if (bits == 0xFF) {
                    for (std::size_t k = i; k < end; ++k)
                        d[k] = EvalBound(fore, src[k], d[k]) & keep;
                } else if (bits == 0) {
                    for (std::size_t k = i; k < end; ++k)
                        d[k] = EvalBound(back, src[k], d[k]) & keep;
                } else {
                    for (std::size_t k = i; k < end; ++k)
                        d[k] = ((bits >> (7 - (k - i))) & 1u ? EvalBound(fore, src[k], d[k])
                                                             : EvalBound(back, src[k], d[k])) &
                               keep;
                }
            }
        } else {
            for (std::size_t i = 0; i < n; ++i)
                d[i] = EvalBound(fore, src[i], d[i]) & keep;
        }
        dst.ops().writeValues(dst, s.x, s.y + j, s.w, d.data());
    }
}

bool RunBlit(BlitJob& job)
{
    const Bitmap* srcBitmap = job.src ? job.src->bitmap() : nullptr;
    if (!ClipSpan(job.span, *job.dst->bitmap(), srcBitmap, job.mask))
        return true; // nothing visible: done, as the service answers
    if (job.dst->bitmap()->isMonochrome())
        RunMonoRows(job);
    else
        RunColourRows(job);
    return true;
}

// Extents given with a sign: [x + w, x) for negative w, as pattern fills take them.
void Normalise(int& x, int& w)
{
    if (w < 0) {
        x += w;
        w = -w;
    }
}

} // namespace

std::uint64_t EvaluateRop3(std::uint8_t index, std::uint64_t pattern, std::uint64_t source,
                           std::uint64_t destination)
{
    return EvalRop(RopTable<std::uint64_t>(index), pattern, source, destination);
}

bool RopUsesSource(std::uint8_t index) { return (((index >> 2) ^ index) & 0x33) != 0; }
bool RopUsesPattern(std::uint8_t index) { return (((index >> 4) ^ index) & 0x0F) != 0; }

DrawContext::DrawContext() : bitmap_(StockBitmap()) {}

DrawContext::DrawContext(Bitmap* bitmap) : bitmap_(bitmap ? bitmap : StockBitmap()) {}

Bitmap* DrawContext::select(Bitmap* bitmap)
{
    Bitmap* previous = bitmap_;
    bitmap_ = bitmap ? bitmap : StockBitmap();
    return previous;
}

std::unique_ptr<Bitmap> CreateCompatibleBitmap(const DrawContext& dc, int width, int height)
{
    const Bitmap& b = *dc.bitmap();
    if (b.isMonochrome())
        return CreateMonoBitmap(width, height);
    return CreateBitmapLike(b, width, height);
}

bool PatBlt(DrawContext& dst, int x, int y, int w, int h, std::uint32_t rop)
{
    std::uint8_t index = RopIndex(rop);
    if (RopUsesSource(index))
        return false;
    Normalise(x, w);
    Normalise(y, h);
    BlitJob job{&dst, nullptr, nullptr, index, index, {x, y, w, h, 0, 0, 0, 0}};
    return RunBlit(job);
}

bool BitBlt(DrawContext& dst, int x, int y, int w, int h, const DrawContext* src, int sx, int sy,
            std::uint32_t rop)
{
    std::uint8_t index = RopIndex(rop);
    bool usesSource = RopUsesSource(index);
    if (usesSource && !src)
        return false;
    if (w <= 0 || h <= 0)
        return true;
    BlitJob job{&dst, usesSource ? src : nullptr, nullptr, index, index, {x, y, w, h, sx, sy, 0, 0}};
    return RunBlit(job);
}

bool MaskBlt(DrawContext& dst, int x, int y, int w, int h, const DrawContext& src, int sx, int sy,
             const Bitmap* mask, int mx, int my, std::uint32_t rop4)
{
    std::uint8_t fore = RopIndex(rop4);
    std::uint8_t back = static_cast<std::uint8_t>(rop4 >> 24);
    if (!mask || fore == back)
        return BitBlt(dst, x, y, w, h, &src, sx, sy, rop4 & 0x00FFFFFFu);
    if (!mask->isMonochrome())
        return false;
    if (w <= 0 || h <= 0)
        return true;
    bool usesSource = RopUsesSource(fore) || RopUsesSource(back);
    BlitJob job{&dst, usesSource ? &src : nullptr, mask, fore, back, {x, y, w, h, sx, sy, mx, my}};
    return RunBlit(job);
}

bool StretchBlt(DrawContext& dst, int x, int y, int w, int h, const DrawContext& src, int sx, int sy,
                int sw, int sh, std::uint32_t rop)
{
    if (w == 0 || h == 0 || sw == 0 || sh == 0)
        return false;
    bool mirrorX = (w < 0) != (sw < 0), mirrorY = (h < 0) != (sh < 0);
    // A negative extent covers [x + w + 1, x + 1).
    auto span = [](int& origin, int& extent) {
        if (extent < 0) {
            origin += extent + 1;
            extent = -extent;
        }
    };
    span(x, w);
    span(y, h);
    span(sx, sw);
    span(sy, sh);
    if (w == 1 && sw > 1)
        --sw;
    if (h == 1 && sh > 1)
        --sh;
    // Build the transformed source in the source's own format, then copy it as a block.
    const Bitmap& sb = *src.bitmap();
    auto staged = CreateBitmapLike(sb, w, h);
    if (!staged)
        return false;
    std::vector<std::uint32_t> line(static_cast<std::size_t>(sb.width()));
    std::vector<std::uint32_t> out(static_cast<std::size_t>(w));
    for (int j = 0; j < h; ++j) {
        int fromRow = sy + static_cast<int>(static_cast<long long>(mirrorY ? h - 1 - j : j) * sh / h);
        bool rowInside = fromRow >= 0 && fromRow < sb.height();
        if (rowInside)
            sb.ops().readValues(sb, 0, fromRow, sb.width(), line.data());
        for (int i = 0; i < w; ++i) {
            int fromCol = sx + static_cast<int>(static_cast<long long>(mirrorX ? w - 1 - i : i) * sw / w);
            out[static_cast<std::size_t>(i)] = rowInside && fromCol >= 0 && fromCol < sb.width()
                                                   ? line[static_cast<std::size_t>(fromCol)]
                                                   : 0;
        }
        staged->ops().writeValues(*staged, 0, j, w, out.data());
    }
    DrawContext stagedDc(staged.get());
    stagedDc.textColor = src.textColor;
    stagedDc.backgroundColor = src.backgroundColor;
    return BitBlt(dst, x, y, w, h, &stagedDc, 0, 0, rop);
}

void FillRect(DrawContext& dc, const Rect& rect, const Brush& brush)
{
    if (rect.isEmpty())
        return;
    Brush saved = dc.brush;
    dc.brush = brush;
    PatBlt(dc, rect.x, rect.y, rect.width, rect.height, kRopPatCopy);
    dc.brush = saved;
}

bool Rectangle(DrawContext& dc, int left, int top, int right, int bottom)
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    if (left == right || top == bottom)
        return true;
    if (!dc.pen.visible) {
        FillRect(dc, Rect::fromEdges(left, top, right - 1, bottom - 1), dc.brush);
        return true;
    }
    FillRect(dc, Rect::fromEdges(left + 1, top + 1, right - 1, bottom - 1), dc.brush);
    Brush pen{dc.pen.color};
    FillRect(dc, Rect::fromEdges(left, top, right, top + 1), pen);
    FillRect(dc, Rect::fromEdges(left, bottom - 1, right, bottom), pen);
    FillRect(dc, Rect::fromEdges(left, top, left + 1, bottom), pen);
    FillRect(dc, Rect::fromEdges(right - 1, top, right, bottom), pen);
    return true;
}

Color GetPixel(const DrawContext& dc, int x, int y)
{
    const Bitmap& b = *dc.bitmap();
    if (x < 0 || y < 0 || x >= b.width() || y >= b.height())
        return kInvalidColor;
    return b.valueToColor(b.pixelValue(x, y));
}

Color SetPixel(DrawContext& dc, int x, int y, Color color)
{
    Bitmap& b = *dc.bitmap();
    if (x < 0 || y < 0 || x >= b.width() || y >= b.height())
        return kInvalidColor;
    std::uint32_t v = b.colorToValue(color);
    b.setPixelValue(x, y, v);
    return b.valueToColor(v);
}

} // namespace plat
