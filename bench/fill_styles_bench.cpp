// Texture preparation, which runs whenever a texture fill is applied: a single 45-degree turn per
// pixel format, and all eight turns of an 88 x 88 texture file read from disk.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "platform/bitmap.h"
#include "platform/bitmap_file.h"
#include "tiles/fill_styles.h"

namespace {

std::unique_ptr<plat::Bitmap> Texture(int bits)
{
    plat::DibInfoHeader info;
    info.width = 88;
    info.height = 88;
    info.bitCount = static_cast<std::uint16_t>(bits);
    std::vector<plat::RgbQuad> table(bits <= 8 ? 1u << bits : 0u, plat::RgbQuad{10, 20, 30, 0});
    auto dib = plat::CreateDib(info, table);
    for (int y = 0; y < 88; ++y)
        for (int x = 0; x < 88; ++x)
            dib->setPixelValue(x, y, static_cast<std::uint32_t>(x * 7 + y) % (bits <= 8 ? 1u << bits : 1u << 24));
    return dib;
}

void BM_RotateTexture45(benchmark::State& state)
{
    auto texture = Texture(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(rotateBitmap(*texture, 45));
}
BENCHMARK(BM_RotateTexture45)->Arg(8)->Arg(24)->Arg(32);

void BM_PrepareTextureFile(benchmark::State& state)
{
    const std::string path = (std::filesystem::temp_directory_path() / "zentiles-bench-texture.bmp").string();
    if (!plat::SaveBitmapFile(path, *Texture(8))) {
        state.SkipWithError("cannot write the texture file");
        return;
    }
    for (auto _ : state) {
        std::unique_ptr<plat::Bitmap> turns[8];
        benchmark::DoNotOptimize(prepareTextures(path, turns, state.range(0) != 0));
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_PrepareTextureFile)->Arg(0)->Arg(1);

} // namespace
