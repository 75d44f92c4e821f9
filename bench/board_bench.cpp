// The two things every pen stroke costs: a drag step to an updated screen buffer, and the solved
// check after the drop.
#include <benchmark/benchmark.h>

#include "app/layers.h"
#include "app/shell_hooks.h"
#include "app/shell_state.h"
#include "data/puzzle_pack.h"
#include "data/settings.h"
#include "game/board.h"
#include "game/solved_check.h"
#include "tiles/fill_styles.h"
#include "tiles/tile_set.h"

namespace {

void SetUpBoard()
{
    ResetShellState();
    InstallShellHooks(); // a moved tile renders the screen as in the game
    GameSettings = {};
    PuzzlePack = {};
    CreateDrawingLayers();
    buildSolidSet(CheckSet, plat::kBlack, kMaskNumbers1, 1);
    buildSolidSet(PlaySet, plat::MakeColor(230, 150, 40), kMaskNumbers7, 7);
    fillBackgroundColor(plat::MakeColor(30, 60, 90));
    ArrangeTilesAtHome(nullptr);
    RebuildBoard(true);
}

void BM_DragStep(benchmark::State& state)
{
    SetUpBoard();
    SelectTile(nullptr, FindTileInZOrder(5));
    PenAnchor = {100, 100};
    int direction = 7;
    for (auto _ : state) {
        // Back and forth across the board, one grid step per pen move.
        if (PlaySet[5].x + direction < 0 || PlaySet[5].x + PlaySet[5].width + direction > kBoardWidth)
            direction = -direction;
        DragStep(nullptr, PenAnchor.x + direction, PenAnchor.y);
    }
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMicrosecond);

void BM_IsPuzzleSolved(benchmark::State& state)
{
    SetUpBoard();
    // The square, laid out exactly, so the scan reads every pixel of the extent.
    PuzzleRecord& record = PuzzlePack.block.puzzles[0];
    PuzzlePack.block.count = 1;
    for (int tile = 0; tile < kTileCount; ++tile) {
        record.x[tile] = static_cast<std::int8_t>(TextureAnchor(tile, 0).x / 7);
        record.y[tile] = static_cast<std::int8_t>(TextureAnchor(tile, 0).y / 7);
        record.orientation[tile] = static_cast<std::int8_t>(TextureFirstOrientation(tile));
    }
    if (PlaySet[4].mirrored)
        PlaySet[4].flipVertical(nullptr);
    for (int tile = 0; tile < kTileCount; ++tile)
        PlaySet[tile].place(record.x[tile] + 5, record.y[tile] + 5, record.orientation[tile]);
    bool solved = false;
    for (auto _ : state) {
        solved = IsPuzzleSolved();
        benchmark::DoNotOptimize(solved);
    }
    state.counters["solved"] = solved ? 1 : 0;
}
BENCHMARK(BM_IsPuzzleSolved)->Unit(benchmark::kMicrosecond);

} // namespace
