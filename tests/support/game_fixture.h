// Test helper: a board as the game sets it up, without a window: layers, the check set and a
// solid play set, red tiles on a blue background, in a fresh program folder.
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "app/layers.h"
#include "app/shell_hooks.h"
#include "app/shell_state.h"
#include "data/puzzle_pack.h"
#include "data/settings.h"
#include "game/board.h"
#include "game/clock.h"
#include "game/preview_panel.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"
#include "tiles/fill_styles.h"
#include "tiles/tile_set.h"

namespace testsupport {

constexpr plat::Color kTileRed = plat::MakeColor(200, 0, 0);
constexpr plat::Color kBackgroundBlue = plat::MakeColor(0, 0, 160);

class GameFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetShellState();
        ResetClock();
        InstallShellHooks();
        Panel.create(&PreviewSet, 3);
        ProgramDirectory = folder.folder();
        std::memset(&GameSettings, 0, sizeof GameSettings);
        std::memset(&PuzzlePack, 0, sizeof PuzzlePack);
        GameSettings.tileColor = kTileRed;
        GameSettings.backgroundColor = kBackgroundBlue;
        CreateDrawingLayers();
        buildSolidSet(CheckSet, plat::kBlack, kMaskNumbers1, 1);
        buildSolidSet(PlaySet, kTileRed, kMaskNumbers7, 7);
        fillBackgroundColor(kBackgroundBlue);
    }
    void TearDown() override
    {
        for (TileSet* set : {&PlaySet, &CheckSet})
            for (SpriteHandle& sprite : set->sprites)
                sprite.reset();
        DestroyDrawingLayers();
        ResetShellState();
    }

    // Places tile i at a grid position and rebuilds the layers as the game does after a move.
    void put(int tile, int column, int row, int orientation)
    {
        PlaySet[tile].place(column, row, orientation);
    }
    plat::Color board(int x, int y) const { return plat::GetPixel(BoardLayer.dc, x, y); }
    plat::Color screen(int x, int y) const { return plat::GetPixel(ScreenBuffer.dc, x, y); }

    TempFolder folder;
    MessageRecorder boxes;
};

} // namespace testsupport
