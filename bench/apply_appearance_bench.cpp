// applyAppearance with a texture fill: reading the texture, its sixteen turns and cutting the
// play set from them, plus the solid hint and preview sets. This is the wait after Settings.
#include <benchmark/benchmark.h>

#include <string>

#include "app/layers.h"
#include "game/appearance.h"
#include "app/shell_state.h"
#include "data/puzzle_pack.h"
#include "data/settings.h"
#include "texture_folder.h"
#include "tiles/tile_set.h"

namespace {

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
