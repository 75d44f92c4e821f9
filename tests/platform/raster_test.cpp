// Raster operations against their truth tables and the conversion rules, pixel for pixel.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "platform/bitmap.h"
#include "platform/raster.h"

using namespace plat;

namespace {

// The truth table read directly: result bit = bit (4P + 2S + D) of the index.
std::uint32_t TruthTable(std::uint8_t index, std::uint32_t p, std::uint32_t s, std::uint32_t d, int bits)
{
    std::uint32_t r = 0;
    for (int b = 0; b < bits; ++b) {
        int k = 4 * ((p >> b) & 1) + 2 * ((s >> b) & 1) + ((d >> b) & 1);
        r |= ((index >> k) & 1u) << b;
    }
    return r;
}

std::unique_ptr<Bitmap> MonoRow(std::uint8_t bits)
{
    auto b = CreateMonoBitmap(8, 1);
    for (int x = 0; x < 8; ++x)
        b->setPixelValue(x, 0, (bits >> (7 - x)) & 1u);
    return b;
}

std::uint8_t MonoBits(const Bitmap& b, int y = 0)
{
    std::uint8_t r = 0;
    for (int x = 0; x < 8; ++x)
        r = static_cast<std::uint8_t>(r | (b.pixelValue(x, y) << (7 - x)));
    return r;
}

Color ScreenValueToColor(std::uint32_t v) { return MakeColor(v >> 16 & 0xFF, v >> 8 & 0xFF, v & 0xFF); }

} // namespace

TEST(Raster, EveryIndexMatchesItsTruthTableOnMonoAndColour)
{
    for (int index = 0; index < 256; ++index) {
        auto op = static_cast<std::uint8_t>(index);
        std::uint32_t rop = static_cast<std::uint32_t>(index) << 16;
        EXPECT_EQ(EvaluateRop3(op, 0xF0, 0xCC, 0xAA) & 0xFF, static_cast<std::uint64_t>(index));
        for (int p = 0; p < 2; ++p) {
            // Mono: eight pixels cover all (S, D) pairs twice.
            auto dst = MonoRow(0xAA);
            auto src = MonoRow(0xCC);
            DrawContext ddc(dst.get()), sdc(src.get());
            ddc.brush.color = p ? kWhite : kBlack;
            ASSERT_TRUE(BitBlt(ddc, 0, 0, 8, 1, &sdc, 0, 0, rop));
            EXPECT_EQ(MonoBits(*dst), TruthTable(op, p ? 0xFF : 0, 0xCC, 0xAA, 8)) << index;
        }
        // Colour: 24 significant bits of each operand.
        auto dst = CreateScreenBitmap(3, 1);
        auto src = CreateScreenBitmap(3, 1);
        const std::uint32_t ds[3] = {0xAA55F0, 0x123456, 0xFFFFFF}, ss[3] = {0xCC33A5, 0x00FF00, 0};
        for (int x = 0; x < 3; ++x) {
            dst->setPixelValue(x, 0, ds[x]);
            src->setPixelValue(x, 0, ss[x]);
        }
        DrawContext ddc(dst.get()), sdc(src.get());
        std::uint32_t pv = 0xF00F3C;
        ddc.brush.color = ScreenValueToColor(pv);
        ASSERT_TRUE(BitBlt(ddc, 0, 0, 3, 1, &sdc, 0, 0, rop));
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(dst->pixelValue(x, 0), TruthTable(op, pv, ss[x], ds[x], 24)) << index << " x" << x;
    }
}

TEST(Raster, SourceAndPatternUseAndPatBltRefusals)
{
    int patOnly = 0;
    for (int index = 0; index < 256; ++index) {
        auto op = static_cast<std::uint8_t>(index);
        // Independent statement: the function ignores S when swapping S leaves the table alone.
        bool usesS = false, usesP = false;
        for (int k = 0; k < 8; ++k) {
            usesS |= ((index >> k) & 1) != ((index >> (k ^ 2)) & 1);
            usesP |= ((index >> k) & 1) != ((index >> (k ^ 4)) & 1);
        }
        EXPECT_EQ(RopUsesSource(op), usesS) << index;
        EXPECT_EQ(RopUsesPattern(op), usesP) << index;
        auto b = CreateMonoBitmap(4, 4);
        DrawContext dc(b.get());
        bool ok = PatBlt(dc, 0, 0, 4, 4, static_cast<std::uint32_t>(index) << 16);
        EXPECT_EQ(ok, !usesS) << index;
        patOnly += ok;
    }
    EXPECT_EQ(patOnly, 16);
}

TEST(Raster, FourOperandCodesTakeForegroundWhereMaskIsSet)
{
    struct Case {
        std::uint32_t rop4;
    } cases[] = {{0xEECC0020}, {0xEE660046}, {0xCC000042}, {0xCCEE0086},
                 {0xEEF00021}, {0xF0EE0086}, {0xF0000042}};
    for (const Case& c : cases) {
        auto fore = static_cast<std::uint8_t>(c.rop4 >> 16), back = static_cast<std::uint8_t>(c.rop4 >> 24);
        // Mono: D = 0xAA, S = 0xCC, mask = 0xF0, white brush.
        auto dst = MonoRow(0xAA), src = MonoRow(0xCC), mask = MonoRow(0xF0);
        DrawContext ddc(dst.get()), sdc(src.get());
        ASSERT_TRUE(MaskBlt(ddc, 0, 0, 8, 1, sdc, 0, 0, mask.get(), 0, 0, c.rop4));
        std::uint8_t want = static_cast<std::uint8_t>((TruthTable(fore, 0xFF, 0xCC, 0xAA, 8) & 0xF0) |
                                                      (TruthTable(back, 0xFF, 0xCC, 0xAA, 8) & 0x0F));
        EXPECT_EQ(MonoBits(*dst), want) << std::hex << c.rop4;

        // Colour, with a mask offset inside a larger mask bitmap.
        auto cd = CreateScreenBitmap(4, 1), cs = CreateScreenBitmap(4, 1);
        auto cm = MonoRow(0x5A); // bits at offset 2: 0,1,1,0
        const std::uint32_t dv[4] = {0x102030, 0xFFEEDD, 0x00FF00, 0xABCDEF};
        const std::uint32_t sv[4] = {0x0F0F0F, 0x123456, 0xFF0000, 0x000001};
        for (int x = 0; x < 4; ++x) {
            cd->setPixelValue(x, 0, dv[x]);
            cs->setPixelValue(x, 0, sv[x]);
        }
        DrawContext cdc(cd.get()), csc(cs.get());
        cdc.brush.color = MakeColor(0x11, 0x22, 0x33);
        std::uint32_t pv = 0x112233;
        ASSERT_TRUE(MaskBlt(cdc, 0, 0, 4, 1, csc, 0, 0, cm.get(), 2, 0, c.rop4));
        const int maskBits[4] = {0, 1, 1, 0};
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(cd->pixelValue(x, 0), TruthTable(maskBits[x] ? fore : back, pv, sv[x], dv[x], 24))
                << std::hex << c.rop4 << " x" << x;
    }
}

TEST(Raster, KnownMaskedCopyVectors)
{
    // 1 bpp, D = 0xAA, S = 0xCC, M = 0xF0 with source copy / no-op gives 0xCA.
    auto dst = MonoRow(0xAA), src = MonoRow(0xCC), mask = MonoRow(0xF0);
    DrawContext ddc(dst.get()), sdc(src.get());
    MaskBlt(ddc, 0, 0, 8, 1, sdc, 0, 0, mask.get(), 0, 0, MakeRop4(kRopSrcCopy, 0x00AA0029));
    EXPECT_EQ(MonoBits(*dst), 0xCA);
    // A colour mask is refused; a null mask copies with the foreground operation.
    auto colourMask = CreateScreenBitmap(8, 1);
    EXPECT_FALSE(MaskBlt(ddc, 0, 0, 8, 1, sdc, 0, 0, colourMask.get(), 0, 0, 0xEECC0020));
    auto d2 = MonoRow(0x0F);
    DrawContext d2c(d2.get());
    EXPECT_TRUE(MaskBlt(d2c, 0, 0, 8, 1, sdc, 0, 0, nullptr, 0, 0, 0xEE660046));
    EXPECT_EQ(MonoBits(*d2), 0x0F ^ 0xCC);
}

TEST(Raster, ColourConversionsFollowTheContextColours)
{
    // Mono to colour: 0 takes the destination's text colour, 1 its background colour.
    auto mono = MonoRow(0xA0);
    auto colour = CreateScreenBitmap(4, 1);
    DrawContext mdc(mono.get()), cdc(colour.get());
    cdc.textColor = MakeColor(0x22, 0x44, 0x66);
    cdc.backgroundColor = MakeColor(0x65, 0x43, 0x21);
    mdc.textColor = kWhite; // the source's colours do not matter
    BitBlt(cdc, 0, 0, 4, 1, &mdc, 0, 0, kRopSrcCopy);
    EXPECT_EQ(GetPixel(cdc, 0, 0), cdc.backgroundColor);
    EXPECT_EQ(GetPixel(cdc, 1, 0), cdc.textColor);
    EXPECT_EQ(GetPixel(cdc, 2, 0), cdc.backgroundColor);
    EXPECT_EQ(GetPixel(cdc, 3, 0), cdc.textColor);

    // Colour to mono: 1 exactly where the pixel equals the source's background colour.
    auto target = MonoRow(0x00);
    DrawContext tdc(target.get());
    cdc.backgroundColor = MakeColor(0x22, 0x44, 0x66);
    BitBlt(tdc, 0, 0, 4, 1, &cdc, 0, 0, kRopSrcCopy);
    EXPECT_EQ(MonoBits(*target), 0x50);

    // Palette DIB to screen goes through the table; screen to a 16-bit DIB truncates 5-5-5.
    DibInfoHeader info;
    info.width = 2;
    info.height = 1;
    info.bitCount = 8;
    RgbQuad table[2] = {{10, 20, 30, 0}, {200, 150, 100, 0}};
    auto pal = CreateDib(info, table);
    pal->setPixelValue(1, 0, 1);
    DrawContext pdc(pal.get());
    auto screen = CreateScreenBitmap(2, 1);
    DrawContext sdc(screen.get());
    BitBlt(sdc, 0, 0, 2, 1, &pdc, 0, 0, kRopSrcCopy);
    EXPECT_EQ(GetPixel(sdc, 0, 0), MakeColor(30, 20, 10));
    EXPECT_EQ(GetPixel(sdc, 1, 0), MakeColor(100, 150, 200));
    info.bitCount = 16;
    auto dib16 = CreateDib(info, {});
    DrawContext d16(dib16.get());
    BitBlt(d16, 0, 0, 2, 1, &sdc, 0, 0, kRopSrcCopy);
    EXPECT_EQ(dib16->pixelValue(1, 0), (100u >> 3 << 10) | (150u >> 3 << 5) | (200u >> 3));
    // Reading 5-bit fields back scales by rounding: 31 -> 255, 12 -> 99.
    dib16->setPixelValue(0, 0, (31u << 10) | (12u << 5));
    EXPECT_EQ(GetPixel(d16, 0, 0), MakeColor(255, 99, 0));
}

TEST(Raster, SolidBrushesOnMonoTargetsAndSetPixelNearest)
{
    auto b = CreateMonoBitmap(4, 1);
    DrawContext dc(b.get());
    struct Case {
        Color brush, background;
        std::uint32_t want;
    } cases[] = {
        {kBlack, kWhite, 0}, {kWhite, kWhite, 1}, {MakeColor(255, 0, 0), kWhite, 0},
        {MakeColor(250, 250, 250), kWhite, 0}, {MakeColor(255, 0, 0), MakeColor(255, 0, 0), 0},
        {MakeColor(0, 255, 0), MakeColor(255, 0, 0), 1},
    };
    for (const Case& c : cases) {
        dc.backgroundColor = c.background;
        FillRect(dc, {0, 0, 4, 1}, Brush{c.brush});
        EXPECT_EQ(b->pixelValue(2, 0), c.want) << std::hex << c.brush;
    }
    EXPECT_EQ(SetPixel(dc, 0, 0, MakeColor(128, 128, 128)), kWhite);
    EXPECT_EQ(SetPixel(dc, 0, 0, MakeColor(127, 127, 127)), kBlack);
    EXPECT_EQ(SetPixel(dc, 4, 0, kWhite), kInvalidColor);
    EXPECT_EQ(GetPixel(dc, -1, 0), kInvalidColor);
    EXPECT_EQ(GetPixel(dc, 0, 1), kInvalidColor);
    // A fresh context holds a 1 x 1 mono bitmap and the documented defaults.
    DrawContext fresh;
    EXPECT_EQ(fresh.bitmap()->width(), 1);
    EXPECT_TRUE(fresh.bitmap()->isMonochrome());
    EXPECT_EQ(fresh.brush.color, kWhite);
    EXPECT_EQ(fresh.pen.color, kBlack);
    EXPECT_TRUE(CreateCompatibleBitmap(fresh, 3, 3)->isMonochrome());
}

TEST(Raster, RectanglesFillsAndNegativeExtents)
{
    auto b = CreateScreenBitmap(6, 6);
    DrawContext dc(b.get());
    dc.brush.color = MakeColor(0, 0, 255);
    dc.pen.color = MakeColor(255, 0, 0);
    Rectangle(dc, 4, 5, 0, 0); // normalised to (0, 0, 4, 5)
    EXPECT_EQ(GetPixel(dc, 0, 0), dc.pen.color);
    EXPECT_EQ(GetPixel(dc, 3, 4), dc.pen.color);
    EXPECT_EQ(GetPixel(dc, 1, 1), dc.brush.color);
    EXPECT_EQ(GetPixel(dc, 2, 3), dc.brush.color);
    EXPECT_EQ(GetPixel(dc, 4, 0), kBlack);
    EXPECT_EQ(GetPixel(dc, 0, 5), kBlack);

    auto n = CreateScreenBitmap(3, 3);
    DrawContext ndc(n.get());
    ndc.pen.visible = false;
    ndc.brush.color = kWhite;
    Rectangle(ndc, 0, 0, 3, 3); // a null pen fills one pixel less
    EXPECT_EQ(GetPixel(ndc, 1, 1), kWhite);
    EXPECT_EQ(GetPixel(ndc, 2, 0), kBlack);
    EXPECT_EQ(GetPixel(ndc, 0, 2), kBlack);

    auto p = CreateScreenBitmap(4, 4);
    DrawContext pdc(p.get());
    pdc.brush.color = kWhite;
    PatBlt(pdc, 2, 2, -1, 1, kRopPatCopy); // only (1, 2)
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(GetPixel(pdc, x, y), (x == 1 && y == 2) ? kWhite : kBlack) << x << "," << y;
    // Clipped fills never write outside.
    PatBlt(pdc, -10, -10, 100, 100, kRopBlackness);
    EXPECT_EQ(GetPixel(pdc, 1, 2), kBlack);
}

TEST(Raster, MirrorCopiesAndHalfTurn)
{
    auto src = CreateScreenBitmap(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            src->setPixelValue(x, y, static_cast<std::uint32_t>(10 * y + x + 1));
    DrawContext sdc(src.get());
    auto check = [&](int x, int y, int w, int h, auto expect) {
        auto dst = CreateScreenBitmap(3, 2);
        DrawContext ddc(dst.get());
        ASSERT_TRUE(StretchBlt(ddc, x, y, w, h, sdc, 0, 0, 3, 2, kRopSrcCopy));
        for (int j = 0; j < 2; ++j)
            for (int i = 0; i < 3; ++i)
                EXPECT_EQ(dst->pixelValue(i, j), expect(i, j)) << i << "," << j;
    };
    check(2, 0, -3, 2, [&](int i, int j) { return src->pixelValue(2 - i, j); });
    check(0, 1, 3, -2, [&](int i, int j) { return src->pixelValue(i, 1 - j); });
    check(2, 1, -3, -2, [&](int i, int j) { return src->pixelValue(2 - i, 1 - j); });
    check(0, 0, 3, 2, [&](int i, int j) { return src->pixelValue(i, j); });
    // Both extents negative mirror nothing.
    auto dst = CreateScreenBitmap(3, 2);
    DrawContext ddc(dst.get());
    StretchBlt(ddc, 2, 0, -3, 2, sdc, 2, 0, -3, 2, kRopSrcCopy);
    EXPECT_EQ(dst->pixelValue(0, 0), src->pixelValue(0, 0));

    // Mono mirror at an odd width over byte boundaries.
    auto m = CreateMonoBitmap(11, 1);
    for (int x : {0, 3, 8, 9})
        m->setPixelValue(x, 0, 1);
    auto mm = CreateMonoBitmap(11, 1);
    DrawContext msd(m.get()), mdd(mm.get());
    StretchBlt(mdd, 10, 0, -11, 1, msd, 0, 0, 11, 1, kRopSrcCopy);
    for (int x = 0; x < 11; ++x)
        EXPECT_EQ(mm->pixelValue(x, 0), m->pixelValue(10 - x, 0)) << x;
}

TEST(Raster, UnalignedMonoCopiesClipAndOverlap)
{
    // Copy a 13-pixel run from bit 5 to bit 11 of a wide row: every bit lands, neighbours stay.
    auto src = CreateMonoBitmap(40, 2);
    auto dst = CreateMonoBitmap(40, 2);
    for (int x = 0; x < 40; ++x) {
        src->setPixelValue(x, 0, (x * 7 + 3) % 5 < 2);
        dst->setPixelValue(x, 0, x % 3 == 0);
    }
    std::vector<std::uint32_t> before;
    for (int x = 0; x < 40; ++x)
        before.push_back(dst->pixelValue(x, 0));
    DrawContext sdc(src.get()), ddc(dst.get());
    BitBlt(ddc, 11, 0, 13, 1, &sdc, 5, 0, kRopSrcCopy);
    for (int x = 0; x < 40; ++x) {
        std::uint32_t want = (x >= 11 && x < 24) ? src->pixelValue(x - 6, 0) : before[static_cast<std::size_t>(x)];
        EXPECT_EQ(dst->pixelValue(x, 0), want) << x;
    }
    // Partly outside: only the visible part is drawn, no bytes outside touched (ASan watches).
    BitBlt(ddc, 35, -1, 20, 3, &sdc, 0, 0, kRopSrcInvert);
    BitBlt(ddc, -5, 0, 10, 1, &sdc, 30, 1, kRopSrcCopy);
    // Overlapping copy inside one bitmap moves a row down intact.
    auto o = CreateScreenBitmap(2, 4);
    for (int y = 0; y < 4; ++y)
        o->setPixelValue(0, y, static_cast<std::uint32_t>(y + 1));
    DrawContext odc(o.get());
    BitBlt(odc, 0, 1, 1, 3, &odc, 0, 0, kRopSrcCopy);
    for (int y = 1; y < 4; ++y)
        EXPECT_EQ(o->pixelValue(0, y), static_cast<std::uint32_t>(y));
}

TEST(Raster, DibRowsBottomUpAndTopDownAgreeInDisplayOrder)
{
    for (int height : {3, -3}) {
        DibInfoHeader info;
        info.width = 5;
        info.height = height;
        info.bitCount = 24;
        auto dib = CreateDib(info, {});
        ASSERT_TRUE(dib);
        EXPECT_EQ(dib->stride(), 16);
        DrawContext dc(dib.get());
        SetPixel(dc, 4, 0, MakeColor(1, 2, 3));
        // The top row as shown is the last stored row of a bottom-up DIB.
        std::size_t storedRow = height > 0 ? 2 : 0;
        const std::uint8_t* stored = dib->bits().data() + storedRow * 16 + 12;
        EXPECT_EQ(stored[0], 3);
        EXPECT_EQ(stored[1], 2);
        EXPECT_EQ(stored[2], 1);
    }
    DibInfoHeader bad;
    bad.width = 4;
    bad.height = 4;
    for (int bits : {0, 2, 7, 48}) {
        bad.bitCount = static_cast<std::uint16_t>(bits);
        EXPECT_FALSE(CreateDib(bad, {})) << bits;
    }
    bad.bitCount = 24;
    bad.compression = kCompressionBitfields;
    EXPECT_FALSE(CreateDib(bad, {}));
    bad.compression = 0;
    bad.height = -2147483647 - 1;
    EXPECT_FALSE(CreateDib(bad, {}));
    EXPECT_FALSE(CreateMonoBitmap(0, 5));
    EXPECT_FALSE(CreateScreenBitmap(kMaxBitmapSide + 1, 1));
}

TEST(Raster, SpriteSequenceComposesAsTheGameDoes)
{
    // A tile drawn the way the board does it: clear its shape in a colour layer with the mask,
    // then paint its picture there; an exclusive-or of the same mask twice restores the mask layer.
    const char* art[] = {"..##..", ".####.", "######", ".####."};
    auto mask = MonoBitmapFromArt(art);
    auto board = CreateScreenBitmap(6, 4);
    auto picture = CreateScreenBitmap(6, 4);
    DrawContext bdc(board.get()), pdc(picture.get());
    FillRect(bdc, {0, 0, 6, 4}, Brush{MakeColor(0, 0, 200)});
    FillRect(pdc, {0, 0, 6, 4}, Brush{MakeColor(250, 200, 0)});
    // Picture where the mask is set, board kept elsewhere: source copy / destination kept.
    MaskBlt(bdc, 0, 0, 6, 4, pdc, 0, 0, mask.get(), 0, 0, MakeRop4(kRopSrcCopy, 0x00AA0029));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(GetPixel(bdc, x, y), art[y][x] == '#' ? MakeColor(250, 200, 0) : MakeColor(0, 0, 200));

    auto layer = CreateMonoBitmap(10, 6);
    DrawContext ldc(layer.get()), mdc(mask.get());
    BitBlt(ldc, 3, 1, 6, 4, &mdc, 0, 0, kRopSrcInvert);
    EXPECT_EQ(layer->pixelValue(5, 1), 1u);
    BitBlt(ldc, 3, 1, 6, 4, &mdc, 0, 0, kRopSrcInvert);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(layer->pixelValue(x, y), 0u);
}
