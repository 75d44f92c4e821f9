// The program icon as pixel art: the classic square of the seven tiles, each tile in its own
// colour. The large image outlines the tiles in black; the small one lets the colours part them.
//   K black   R red   B blue   Y yellow   G green   C cyan   M magenta   o dark yellow
#include "resources/program_icon.h"

namespace {

// The sixteen standard colours, by their letters in the art.
struct Ink {
    char key;
    plat::Color color;
};
constexpr Ink kInks[] = {
    {'K', plat::MakeColor(0, 0, 0)},       {'r', plat::MakeColor(128, 0, 0)},
    {'g', plat::MakeColor(0, 128, 0)},     {'o', plat::MakeColor(128, 128, 0)},
    {'d', plat::MakeColor(0, 0, 128)},     {'m', plat::MakeColor(128, 0, 128)},
    {'c', plat::MakeColor(0, 128, 128)},   {'s', plat::MakeColor(192, 192, 192)},
    {'S', plat::MakeColor(128, 128, 128)}, {'R', plat::MakeColor(255, 0, 0)},
    {'G', plat::MakeColor(0, 255, 0)},     {'Y', plat::MakeColor(255, 255, 0)},
    {'B', plat::MakeColor(0, 0, 255)},     {'M', plat::MakeColor(255, 0, 255)},
    {'C', plat::MakeColor(0, 255, 255)},   {'W', plat::MakeColor(255, 255, 255)},
};

// Large: two large triangles (red at the top, blue on the left), the green square and the cyan
// small triangle on the right, the magenta small triangle in the middle, the dark yellow
// parallelogram and the yellow medium triangle along the bottom.
constexpr const char* kLarge[kProgramIconLarge] = {
    "KKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKK",
    "KKRRRRRRRRRRRRRRRRRRRRRRRRRRRKKK",
    "KKKRRRRRRRRRRRRRRRRRRRRRRRRRKKCK",
    "KBKKRRRRRRRRRRRRRRRRRRRRRRRKKCCK",
    "KBBKKRRRRRRRRRRRRRRRRRRRRRKKCCCK",
    "KBBBKKRRRRRRRRRRRRRRRRRRRKKCCCCK",
    "KBBBBKKRRRRRRRRRRRRRRRRRKKCCCCCK",
    "KBBBBBKKRRRRRRRRRRRRRRRKKCCCCCCK",
    "KBBBBBBKKRRRRRRRRRRRRRKKKKCCCCCK",
    "KBBBBBBBKKRRRRRRRRRRRKKGGKKCCCCK",
    "KBBBBBBBBKKRRRRRRRRRKKGGGGKKCCCK",
    "KBBBBBBBBBKKRRRRRRRKKGGGGGGKKCCK",
    "KBBBBBBBBBBKKRRRRRKKGGGGGGGGKKCK",
    "KBBBBBBBBBBBKKRRRKKGGGGGGGGGGKKK",
    "KBBBBBBBBBBBBKKRKKGGGGGGGGGGGGKK",
    "KBBBBBBBBBBBBBKKKGGGGGGGGGGGGGKK",
    "KBBBBBBBBBBBBBKKKGGGGGGGGGGGGKKK",
    "KBBBBBBBBBBBBKKMKKGGGGGGGGGGKKYK",
    "KBBBBBBBBBBBKKMMMKKGGGGGGGGKKYYK",
    "KBBBBBBBBBBKKMMMMMKKGGGGGGKKYYYK",
    "KBBBBBBBBBKKMMMMMMMKKGGGGKKYYYYK",
    "KBBBBBBBBKKMMMMMMMMMKKGGKKYYYYYK",
    "KBBBBBBBKKMMMMMMMMMMMKKKKYYYYYYK",
    "KBBBBBBKKKKKKKKKKKKKKKKKYYYYYYYK",
    "KBBBBBKKoooooooooooooKKYYYYYYYYK",
    "KBBBBKKoooooooooooooKKYYYYYYYYYK",
    "KBBBKKoooooooooooooKKYYYYYYYYYYK",
    "KBBKKoooooooooooooKKYYYYYYYYYYYK",
    "KBKKoooooooooooooKKYYYYYYYYYYYYK",
    "KKKoooooooooooooKKYYYYYYYYYYYYYK",
    "KKoooooooooooooKKYYYYYYYYYYYYYYK",
    "KKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKK",
};

// Small: the same square without the outlines.
constexpr const char* kSmall[kProgramIconSmall] = {
    "RRRRRRRRRRRRRRRR",
    "BRRRRRRRRRRRRRRC",
    "BBRRRRRRRRRRRRCC",
    "BBBRRRRRRRRRRCCC",
    "BBBBRRRRRRRRGCCC",
    "BBBBBRRRRRRGGGCC",
    "BBBBBBRRRRGGGGGC",
    "BBBBBBBRRGGGGGGG",
    "BBBBBBBBGGGGGGGY",
    "BBBBBBBMMGGGGGYY",
    "BBBBBBMMMMGGGYYY",
    "BBBBBMMMMMMGYYYY",
    "BBBBoooooooYYYYY",
    "BBBoooooooYYYYYY",
    "BBoooooooYYYYYYY",
    "BoooooooYYYYYYYY",
};

plat::Color InkOf(char key)
{
    for (const Ink& ink : kInks)
        if (ink.key == key)
            return ink.color;
    return plat::kBlack;
}

} // namespace

std::unique_ptr<plat::Bitmap> LoadProgramIcon(int side)
{
    if (side != kProgramIconLarge && side != kProgramIconSmall)
        return nullptr;
    const char* const* art = side == kProgramIconLarge ? kLarge : kSmall;
    auto image = plat::CreateScreenBitmap(side, side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            image->setPixelValue(x, y, image->colorToValue(InkOf(art[y][x])));
    return image;
}
