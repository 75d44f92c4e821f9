// Test helpers for the tile engine: recording redraw hooks, a fresh game state with layers,
// and reading masks as sets of pixels.
#pragma once

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/layers.h"
#include "app/shell_hooks.h"
#include "game/preview_panel.h"
#include "data/puzzle_pack.h"
#include "data/settings.h"
#include "platform/window.h"
#include "tiles/tile_set.h"

namespace spritetest {

// Every hook call in order, e.g. "render 0 0 240 280".
inline std::vector<std::string> Calls;
inline bool SolvedAnswer = false;

inline std::string Join(const char* name, std::initializer_list<int> values)
{
    std::string text = name;
    for (int value : values)
        text += " " + std::to_string(value);
    return text;
}

inline void RecordRender(int x, int y, int w, int h)
{
    Calls.push_back(Join("render", {x, y, w, h}));
}
inline void RecordInvalidate(plat::Window*, int x1, int y1, int w1, int h1, int x2, int y2, int w2,
                             int h2)
{
    Calls.push_back(Join("invalidate", {x1, y1, w1, h1, x2, y2, w2, h2}));
}
inline bool RecordSolvedCheck()
{
    Calls.push_back("solved?");
    return SolvedAnswer;
}
inline void RecordSolvedMessage(plat::Window*)
{
    Calls.push_back("message");
}

// Layers, settings and pack zeroed, hooks recording; puzzle 0 of a one-puzzle pack is current.
class TileEngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        GameSettings = {};
        PuzzlePack = {};
        PuzzlePack.block.count = 1;
        CreateDrawingLayers();
        Calls.clear();
        SolvedAnswer = false;
        SpriteRedraw = {RecordRender, RecordInvalidate, RecordSolvedCheck, RecordSolvedMessage,
                        [] { return Panel.bodyColor; }};
    }
    void TearDown() override
    {
        InstallShellHooks();
        for (TileSet* set : {&PlaySet, &HintSet, &PreviewSet, &CheckSet})
            for (SpriteHandle& sprite : set->sprites)
                sprite.reset();
        DestroyDrawingLayers();
    }

    static TileSet SolidSet(int gridUnit, plat::Color color)
    {
        TileSet set;
        buildSolidSet(set, color, *MaskNumbersForUnit(gridUnit), gridUnit);
        return set;
    }

    plat::Window window; // only its address is handed around
};

using Pixels = std::set<std::pair<int, int>>;

// The set pixels of a 1-bit bitmap, moved by (dx, dy).
inline Pixels SetPixels(const plat::Bitmap& mask, int dx = 0, int dy = 0)
{
    Pixels pixels;
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            if (mask.pixelValue(x, y) != 0)
                pixels.insert({x + dx, y + dy});
    return pixels;
}

// The shape moved so its bounding box starts at (0, 0), optionally mirrored in that box.
inline Pixels Normalised(const Pixels& pixels, bool mirrorX = false, bool mirrorY = false)
{
    int minX = 1 << 20, minY = 1 << 20, maxX = -1, maxY = -1;
    for (auto [x, y] : pixels) {
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
    }
    Pixels result;
    for (auto [x, y] : pixels)
        result.insert({mirrorX ? maxX - x : x - minX, mirrorY ? maxY - y : y - minY});
    return result;
}

} // namespace spritetest
