// Toolbar pictures as pixel art on the bar's light grey ground.
//   . ground   b dark blue   r dark red   g dark green   k black   y yellow   c cyan   m magenta
//   w white    s grey
#include "resources/toolbar_images.h"

#include <array>

namespace {

using Art = std::array<const char*, 16>;

// Bitmap 135, image 0: arrow up on the left, arrow down on the right (Flip).
constexpr Art kFlip = {
    "................", "...b............", "..bbb...........", ".bbbbb..........",
    "bbbbbbb.........", "..bbb...........", "..bbb.......bbb.", "..bbb.......bbb.",
    "..bbb.......bbb.", "..bbb.......bbb.", "...........bbbbb", "............bbb.",
    ".............b..", "................", "................", "................",
};
// Image 1: arrow left at the top, arrow right at the bottom (Mirror).
constexpr Art kMirror = {
    "................", "...b............", "..bb............", ".bbbbbbbbbb.....",
    "bbbbbbbbbbb.....", ".bbbbbbbbbb.....", "..bb............", "...b............",
    "............b...", "............bb..", ".....bbbbbbbbbb.", ".....bbbbbbbbbbb",
    ".....bbbbbbbbbb.", "............bb..", "............b...", "................",
};
// Image 2: four arrows pointing outwards from the centre (Clear Center).
constexpr Art kClearCenter = {
    "rrrr........rrrr", "rrr..........rrr", "rrrr........rrrr", "r.rrr......rrr.r",
    "...rrr....rrr...", "....rrr..rrr....", "................", "................",
    "................", "................", "....rrr..rrr....", "...rrr....rrr...",
    "r.rrr......rrr.r", "rrrr........rrrr", "rrr..........rrr", "rrrr........rrrr",
};
// Image 3: a magnifying glass over a square of four colours (Toggle Puzzle Overlay).
constexpr Art kOverlay = {
    "rrrrrrggggggg...", "rrrrrrggggggg...", "rrrrrrggkkkk....", "rrrrrrgkwwwwk...",
    "rrrrrrkwwwwwwk..", "rrrrrrkwwwwwwk..", "bbbbbkwwwwwwwwk.", "bbbbbkwwwwwwwwk.",
    "bbbbbkwwwwwwwwk.", "bbbbbbkwwwwwwk..", "bbbbbbkwwwwwwk..", "bbbbbyykwwwwk...",
    "bbbbbyyykkkkkk..", "bbbbbyyyyyy.kkk.", ".............kkk", "..............kk",
};
// Image 4: four arrows pointing inwards to the centre (Center Tiles).
constexpr Art kCenterTiles = {
    "g..............g", ".g............g.", "..g..........g..", "...g.ggggggg.g..",
    "....g.......g...", "...gg......gg...", "...g.g....g.g...", "...g..gggg..g...",
    "...g..gggg..g...", "...g.g....g.g...", "...gg......gg...", "....g.......g...",
    "...g.ggggggg.g..", "..g..........g..", ".g............g.", "g..............g",
};
// Standard image 8: the undo arrow (Rotate Counter Clockwise).
constexpr Art kUndo = {
    "................", "................", "...k............", "..kk............",
    ".kkkkkkkkk......", "kkkkkkkkkkk.....", ".kkkkkkkkkkk....", "..kk......kk....",
    "...k.......kk...", "...........kk...", "...........kk...", "..........kk....",
    ".........kk.....", "......kkkk......", "................", "................",
};
// Standard image 9: the redo arrow (Rotate Clockwise).
constexpr Art kRedo = {
    "................", "................", "............k...", "............kk..",
    "......kkkkkkkkk.", ".....kkkkkkkkkkk", "....kkkkkkkkkkk.", "....kk......kk..",
    "...kk.......k...", "...kk...........", "...kk...........", "....kk..........",
    ".....kk.........", "......kkkk......", "................", "................",
};

struct Ink {
    char key;
    plat::Color color;
};
constexpr Ink kInks[] = {
    {'.', plat::MakeColor(214, 211, 206)}, {'b', plat::MakeColor(0, 0, 128)},
    {'r', plat::MakeColor(128, 0, 0)},     {'g', plat::MakeColor(0, 128, 0)},
    {'k', plat::MakeColor(0, 0, 0)},       {'y', plat::MakeColor(255, 255, 0)},
    {'c', plat::MakeColor(0, 255, 255)},   {'m', plat::MakeColor(255, 0, 255)},
    {'w', plat::MakeColor(255, 255, 255)}, {'s', plat::MakeColor(128, 128, 128)},
};

plat::Color InkOf(char key)
{
    for (const Ink& ink : kInks)
        if (ink.key == key)
            return ink.color;
    return kInks[0].color;
}

const Art* ArtOf(int index)
{
    switch (index) {
    case 0: return &kFlip;
    case 1: return &kMirror;
    case 2: return &kClearCenter;
    case 3: return &kOverlay;
    case 4: return &kCenterTiles;
    case 5 + 8: return &kUndo;
    case 5 + 9: return &kRedo;
    default: return nullptr;
    }
}

} // namespace

std::unique_ptr<plat::Bitmap> LoadToolbarImage(int index)
{
    const Art* art = ArtOf(index);
    if (!art)
        return nullptr;
    auto image = plat::CreateScreenBitmap(kToolbarImageSize, kToolbarImageSize);
    for (int y = 0; y < kToolbarImageSize; ++y)
        for (int x = 0; x < kToolbarImageSize && (*art)[static_cast<std::size_t>(y)][x]; ++x)
            image->setPixelValue(x, y, image->colorToValue(InkOf((*art)[static_cast<std::size_t>(y)][x])));
    return image;
}
