// zentiles-make_settings OUT.cfg: writes the settings file the game ships with, from the same
// readable values the game falls back on when its settings file is missing (ShippedSettings).
#include <cstdio>
#include <fstream>

#include "data/settings.h"

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
