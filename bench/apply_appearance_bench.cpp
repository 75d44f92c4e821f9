// applyAppearance with a texture fill: reading the texture, its sixteen turns and cutting the
// play set from them, plus the solid hint and preview sets. This is the wait after Settings.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "app/layers.h"
#include "game/appearance.h"
#include "app/shell_state.h"
#include "data/puzzle_pack.h"
#include "data/settings.h"
#include "platform/bitmap_file.h"
#include "tiles/tile_set.h"

namespace {

// A program folder under the temporary folder with a generated texture in "Textures".
class TextureFolder {
public:
    explicit TextureFolder(int side)
    {
        root_ = std::filesystem::temp_directory_path() /
                ("zentiles-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(root_ / "Textures");
        plat::DibInfoHeader info;
        info.width = side;
        info.height = side;
        info.bitCount = 24;
        auto dib = plat::CreateDib(info, {});
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                dib->setPixelValue(x, y, dib->colorToValue(plat::MakeColor(x * 3, y * 5, x ^ y)));
        ok_ = plat::SaveBitmapFile((root_ / "Textures" / "grain.bmp").string(), *dib);
    }
    ~TextureFolder() { std::filesystem::remove_all(root_); }
    bool ok() const { return ok_; }
    std::string folder() const { return root_.string() + "/"; }

private:
    std::filesystem::path root_;
    bool ok_ = false;
};

void BM_ApplyAppearanceTexture(benchmark::State& state)
{
    TextureFolder textures(static_cast<int>(state.range(0)));
    if (!textures.ok()) {
        state.SkipWithError("cannot write the texture file");
        return;
    }
    CreateDrawingLayers();
    ProgramDirectory = textures.folder();
    GameSettings = {};
    GameSettings.tileFill = 2;
    std::u16string name = u"grain.bmp";
    std::copy(name.begin(), name.end(), GameSettings.textureFile);
    GameSettings.hintColor = plat::MakeColor(200, 40, 40);
    GameSettings.previewForegroundColor = plat::MakeColor(20, 20, 120);
    PuzzlePack.block.count = 1;

    for (auto _ : state) {
        applyAppearance();
        benchmark::DoNotOptimize(PlaySet.sprites[0].get());
    }

    for (TileSet* set : {&PlaySet, &HintSet, &PreviewSet})
        for (SpriteHandle& sprite : set->sprites)
            sprite.reset();
    DestroyDrawingLayers();
    ProgramDirectory.clear();
}
BENCHMARK(BM_ApplyAppearanceTexture)->Arg(96)->Arg(240)->Unit(benchmark::kMillisecond);

} // namespace
