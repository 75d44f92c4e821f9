// What the player waits for in the dialogs: the puzzle browser opened on a pack of 100 puzzles
// (thumbnails made, list painted, closed by OK), the colour picker drawn, and Settings... closed
// at once by OK with a texture fill (tiles rebuilt, board redrawn, settings file written); compare
// the last with BM_ApplyAppearanceTexture.
#include <benchmark/benchmark.h>

#include <string>

#include "app/layers.h"
#include "app/shell_hooks.h"
#include "app/shell_state.h"
#include "data/puzzle_pack.h"
#include "data/settings.h"
#include "game/board.h"
#include "game/preview_panel.h"
#include "platform/headless_front_end.h"
#include "platform/runtime.h"
#include "platform/window.h"
#include "texture_folder.h"
#include "tiles/fill_styles.h"
#include "tiles/tile_set.h"
#include "ui/color_picker.h"
#include "ui/puzzle_browser.h"
#include "ui/settings_dialog.h"

namespace {

// The game's stores as the main window leaves them, a window to own the dialogs, and a front end
// that presses Return (OK) whenever the dialog waits.
class Game {
public:
    explicit Game(const std::string& folder)
    {
        ResetShellState();
        ProgramDirectory = folder;
        GameSettings = {};
        PuzzlePack = {};
        InstallShellHooks();
        plat::SetFrontEnd(&front_);
        plat::StartWindowSystem();
        owner_ = plat::CreateWindow({.title = "main"});
        CreateDrawingLayers();
        buildSolidSet(CheckSet, plat::kBlack, kMaskNumbers1, 1);
        buildSolidSet(PlaySet, plat::MakeColor(230, 150, 40), kMaskNumbers7, 7);
        buildSolidSet(PreviewSet, plat::MakeColor(40, 40, 40), kMaskNumbers3, 3);
        Panel.create(&PreviewSet, 3);
        front_.setIdleHook([] {
            plat::InjectKeyPress(plat::Key::Return);
            return true;
        });
    }
    ~Game()
    {
        plat::StopWindowSystem();
        plat::SetFrontEnd(nullptr);
        plat::UseVirtualClock(false);
        for (TileSet* set : {&PlaySet, &HintSet, &PreviewSet, &CheckSet})
            for (SpriteHandle& sprite : set->sprites)
                sprite.reset();
        DestroyDrawingLayers();
        ProgramDirectory.clear();
    }
    plat::Window* owner() const { return owner_; }

private:
    plat::HeadlessFrontEnd front_;
    plat::Window* owner_ = nullptr;
};

void BM_OpenPuzzleBrowserOnAHundredPuzzles(benchmark::State& state)
{
    TextureFolder folder(240);
    Game game(folder.folder());
    // 100 puzzles of seven tiles spread over about 20 x 12 cells, each laid out differently.
    PuzzlePack.block.count = kPuzzlesPerPack;
    for (int i = 0; i < kPuzzlesPerPack; ++i)
        for (int tile = 0; tile < kTileCount; ++tile) {
            PuzzleRecord& record = PuzzlePack.block.puzzles[i];
            record.x[tile] = static_cast<std::int8_t>((tile * 3 + i) % 16);
            record.y[tile] = static_cast<std::int8_t>((tile * 5 + i) % 9);
            record.orientation[tile] = static_cast<std::int8_t>((tile + i) % 8);
            record.mirrored = static_cast<std::uint8_t>(i % 2);
            PuzzlePack.progress[i].seconds = i * 37;
        }
    GameSettings.currentPack = 1;
    GameSettings.currentPuzzle = 57;
    for (auto _ : state) {
        LastTappedRow = -1;
        RunPuzzleBrowser(game.owner());
    }
}
BENCHMARK(BM_OpenPuzzleBrowserOnAHundredPuzzles)->Unit(benchmark::kMillisecond);

void BM_DrawColorPicker(benchmark::State& state)
{
    auto image = plat::CreateScreenBitmap(kColorPickerWidth, kColorPickerHeight);
    plat::DrawContext dc(image.get());
    for (auto _ : state) {
        DrawColorPicker(dc, 0, 0, kColorPickerWidth, kColorPickerHeight);
        benchmark::DoNotOptimize(image->row(0));
    }
}
BENCHMARK(BM_DrawColorPicker)->Unit(benchmark::kMicrosecond);

void BM_SettingsOkWithATexture(benchmark::State& state)
{
    TextureFolder folder(240);
    if (!folder.ok()) {
        state.SkipWithError("cannot write the texture file");
        return;
    }
    Game game(folder.folder());
    GameSettings.tileFill = 2;
    SetSettingsFileName(GameSettings.textureFile, "grain.bmp");
    GameSettings.hintColor = plat::MakeColor(200, 40, 40);
    PuzzlePack.block.count = 1;
    ArrangeTilesAtHome(nullptr);
    RebuildBoard(true);
    for (auto _ : state)
        RunSettingsCommand(game.owner());
}
BENCHMARK(BM_SettingsOkWithATexture)->Unit(benchmark::kMillisecond);

} // namespace
