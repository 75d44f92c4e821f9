// zentiles-make_icons: the desktop's icons of the game, the program icon's pixel art scaled up by
// whole steps without smoothing: 16 and 32 pixels as drawn, 48 from the small art (three times),
// 256 from the large art (eight times). Written as FOLDER/<side>x<side>/apps/zentiles.png, the
// layout of the icon theme's folder.
//   usage: zentiles-make_icons FOLDER
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/png_writer.h"
#include "resources/program_icon.h"

namespace {

struct IconSize {
    int side;
    int art; // the pixel art it is scaled from
};
constexpr IconSize kSizes[] = {
    {16, kProgramIconSmall}, {32, kProgramIconLarge}, {48, kProgramIconSmall}, {256, kProgramIconLarge},
};

std::unique_ptr<plat::Bitmap> ScaledUp(const plat::Bitmap& art, int side)
{
    int step = side / art.width();
    auto icon = plat::CreateScreenBitmap(side, side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            icon->setPixelValue(x, y, art.pixelValue(x / step, y / step));
    return icon;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: zentiles-make_icons FOLDER\n", stderr);
        return 2;
    }
    for (const IconSize& size : kSizes) {
        std::string name = std::to_string(size.side) + "x" + std::to_string(size.side);
        std::filesystem::path folder = std::filesystem::path(argv[1]) / name / "apps";
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        std::string file = (folder / "zentiles.png").string();
        if (error || !plat::SavePng(*ScaledUp(*LoadProgramIcon(size.art), size.side), file)) {
            std::fprintf(stderr, "make_icons: cannot write %s\n", file.c_str());
            return 1;
        }
    }
    return 0;
}
