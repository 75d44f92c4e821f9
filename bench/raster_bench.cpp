// The two raster paths the board uses every frame: a whole-layer masked copy and a 1-bit
// exclusive-or mask draw.
#include <benchmark/benchmark.h>

#include "platform/bitmap.h"
#include "platform/raster.h"

using namespace plat;

namespace {

std::unique_ptr<Bitmap> StripedMask(int w, int h)
{
    auto mask = CreateMonoBitmap(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            mask->setPixelValue(x, y, (x + y) % 7 < 3);
    return mask;
}

void BM_MaskedCopyLayer(benchmark::State& state)
{
    auto dst = CreateScreenBitmap(240, 280), src = CreateScreenBitmap(240, 280);
    auto mask = StripedMask(240, 280);
    DrawContext ddc(dst.get()), sdc(src.get());
    FillRect(sdc, {0, 0, 240, 280}, Brush{MakeColor(10, 120, 200)});
    for (auto _ : state) {
        MaskBlt(ddc, 0, 0, 240, 280, sdc, 0, 0, mask.get(), 0, 0, 0xEECC0020);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MaskedCopyLayer)->Unit(benchmark::kMicrosecond);

void BM_MonoXorMaskDraw(benchmark::State& state)
{
    auto layer = CreateMonoBitmap(240, 280);
    auto mask = StripedMask(84, 84);
    DrawContext ldc(layer.get()), mdc(mask.get());
    for (auto _ : state) {
        BitBlt(ldc, 37, 41, 84, 84, &mdc, 0, 0, kRopSrcInvert); // unaligned on purpose
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MonoXorMaskDraw)->Unit(benchmark::kMicrosecond);

void BM_MonoXorWholeLayer(benchmark::State& state)
{
    auto layer = CreateMonoBitmap(240, 280);
    auto mask = StripedMask(240, 280);
    DrawContext ldc(layer.get()), mdc(mask.get());
    for (auto _ : state) {
        BitBlt(ldc, 0, 0, 240, 280, &mdc, 0, 0, kRopSrcInvert);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MonoXorWholeLayer)->Unit(benchmark::kMicrosecond);

} // namespace
