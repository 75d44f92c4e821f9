// What the preview panel costs: a clock tick (status line redrawn, screen rendered), one step of
// dragging the panel, and showing a puzzle in it.
#include <benchmark/benchmark.h>

#include "app/layers.h"
#include "app/pen_input.h"
#include "app/shell_hooks.h"
#include "app/shell_state.h"
#include "data/puzzle_pack.h"
#include "data/settings.h"
#include "game/board.h"
#include "game/clock.h"
#include "game/preview_panel.h"
#include "tiles/fill_styles.h"
#include "tiles/tile_set.h"

namespace {

// A board at home with the panel showing a seven-tile puzzle that spreads wide.
void SetUpPanel()
{
    ResetShellState();
    GameSettings = {};
    PuzzlePack = {};
    InstallShellHooks();
    CreateDrawingLayers();
    buildSolidSet(CheckSet, plat::kBlack, kMaskNumbers1, 1);
    buildSolidSet(PlaySet, plat::MakeColor(230, 150, 40), kMaskNumbers7, 7);
    buildSolidSet(PreviewSet, plat::MakeColor(40, 40, 40), kMaskNumbers3, 3);
    fillBackgroundColor(plat::MakeColor(30, 60, 90));
    Panel.create(&PreviewSet, 3);
    Panel.titleColor = plat::kWhite;
    Panel.bodyColor = plat::MakeColor(230, 230, 220);
    Panel.expanded = true;
    PuzzlePack.block.count = 1;
    PuzzleRecord& record = PuzzlePack.block.puzzles[0];
    for (int tile = 0; tile < kTileCount; ++tile) {
        record.x[tile] = static_cast<std::int8_t>(tile * 4);
        record.y[tile] = static_cast<std::int8_t>(tile % 3 * 4);
        record.orientation[tile] = static_cast<std::int8_t>(tile);
    }
    ShowPuzzleInPanel(0);
    ArrangeTilesAtHome(nullptr);
    RebuildBoard(true);
}

void BM_ClockTick(benchmark::State& state)
{
    SetUpPanel();
    ClockPaused = false;
    std::uint32_t now = 0;
    ClockTick(nullptr, now);
    for (auto _ : state) {
        now += 1000;
        ClockTick(nullptr, now);
    }
}
BENCHMARK(BM_ClockTick)->Unit(benchmark::kMicrosecond);

void BM_PanelDragStep(benchmark::State& state)
{
    SetUpPanel();
    PenDown(nullptr, Panel.x + 40, Panel.y + 30);
    int direction = 1;
    for (auto _ : state) {
        if (Panel.x <= 1 || Panel.x + Panel.width >= kBoardWidth - 1)
            direction = -direction;
        PenMove(nullptr, PenAnchor.x + direction, PenAnchor.y);
    }
}
BENCHMARK(BM_PanelDragStep)->Unit(benchmark::kMicrosecond);

void BM_ShowPuzzle(benchmark::State& state)
{
    SetUpPanel();
    for (auto _ : state)
        ShowPuzzleInPanel(0);
}
BENCHMARK(BM_ShowPuzzle)->Unit(benchmark::kMicrosecond);

} // namespace
