// zentiles-make_settings OUT.cfg: writes the settings file the game ships with, from the readable
// values below: a calm look, readable panel colours, and the tiles waiting at home.
#include <cstdio>
#include <fstream>

#include "data/settings.h"
#include "game/board.h"
#include "platform/geometry.h"

using plat::MakeColor;

namespace {

GameSettingsRecord ShippedSettings()
{
    GameSettingsRecord s{};
    s.currentPack = 0;
    s.currentPuzzle = 0;
    s.tileFill = 0;                            // solid colour
    s.tileColor = MakeColor(236, 156, 48);     // amber
    s.backgroundFill = 0;
    s.backgroundColor = MakeColor(28, 58, 84); // deep slate blue
    s.previewTitleColor = MakeColor(255, 255, 255);
    s.previewTextColor = MakeColor(24, 24, 24);
    s.previewForegroundColor = MakeColor(40, 40, 40);
    s.previewBackgroundColor = MakeColor(232, 228, 214);
    s.overlayShown = 1; // the target shows on the board from the first start
    s.overlayColor = MakeColor(112, 152, 182);
    s.hintColor = MakeColor(120, 196, 120);
    for (const HomePlace& home : kHomePlaces)
        s.savedTiles[home.tileIndex] = {home.column, home.row, home.orientation};
    s.savedMirror = 1; // the parallelogram's home shape is the mirrored one
    s.previewX = 150;
    s.previewY = 4;
    s.previewExpanded = 1;
    return s;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: zentiles-make_settings OUT.cfg\n", stderr);
        return 2;
    }
    GameSettingsRecord record = ShippedSettings();
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(&record), sizeof record);
    if (!out) {
        std::fprintf(stderr, "zentiles-make_settings: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
