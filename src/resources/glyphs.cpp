// The panel's glyphs as pixel art: '#' is a set pixel. The button symbols fill the top-left
// 8 x 8 of their 9 x 9 cell, which is all the panel transfers; digits leave columns 0 and 5 clear
// so that digits placed five pixels apart keep a gap.
#include "resources/glyphs.h"

#include <iterator>
#include <memory>
#include <vector>

namespace {

struct GlyphArt {
    int number;
    std::vector<const char*> rows;
};

const GlyphArt kGlyphArt[] = {
    // Button symbols, 9 x 9.
    {kGlyphExpand,
     {"..###....", "..###....", "#######..", ".#####...", "..###....", "...#.....", ".........",
      "#######..", "........."}},
    {kGlyphCollapse,
     {"#######..", ".........", "...#.....", "..###....", ".#####...", "#######..", "..###....",
      "..###....", "........."}},
    {kGlyphNextIncomplete,
     {"#...#....", "##..##...", "###.###..", "########.", "###.###..", "##..##...", "#...#....",
      ".........", "........."}},
    {kGlyphNext,
     {"....#....", "....##...", "#######..", "########.", "#######..", "....##...", "....#....",
      ".........", "........."}},
    {kGlyphPrevious,
     {"...#.....", "..##.....", ".#######.", "########.", ".#######.", "..##.....", "...#.....",
      ".........", "........."}},
    {kGlyphStore,
     {"..####...", ".######..", "###..###.", "##....##.", "##....##.", "###..###.", ".######..",
      "..####...", "........."}},
    {kGlyphDelete,
     {"..####...", ".#....#..", "#....#.#.", "#...#..#.", "#..#...#.", "#.#....#.", ".#....#..",
      "..####...", "........."}},
    {kGlyphClose,
     {"##....##.", "###..###.", ".######..", "..####...", "..####...", ".######..", "###..###.",
      "##....##.", "........."}},
    // Digits 0..9, 6 x 7.
    {kGlyphDigit0 + 0, {"..##..", ".#..#.", ".#..#.", ".#..#.", ".#..#.", ".#..#.", "..##.."}},
    {kGlyphDigit0 + 1, {"...#..", "..##..", "...#..", "...#..", "...#..", "...#..", "..###."}},
    {kGlyphDigit0 + 2, {"..##..", ".#..#.", "....#.", "...#..", "..#...", ".#....", ".####."}},
    {kGlyphDigit0 + 3, {".###..", "....#.", "....#.", "..##..", "....#.", "....#.", ".###.."}},
    {kGlyphDigit0 + 4, {"...#..", "..##..", ".#.#..", ".#.#..", ".####.", "...#..", "...#.."}},
    {kGlyphDigit0 + 5, {".####.", ".#....", ".###..", "....#.", "....#.", ".#..#.", "..##.."}},
    {kGlyphDigit0 + 6, {"..##..", ".#....", ".#....", ".###..", ".#..#.", ".#..#.", "..##.."}},
    {kGlyphDigit0 + 7, {".####.", "....#.", "...#..", "...#..", "..#...", "..#...", "..#..."}},
    {kGlyphDigit0 + 8, {"..##..", ".#..#.", ".#..#.", "..##..", ".#..#.", ".#..#.", "..##.."}},
    {kGlyphDigit0 + 9, {"..##..", ".#..#.", ".#..#.", "..###.", "....#.", "....#.", "..##.."}},
    {kGlyphNumberSign,
     {".#..#..", ".#..#..", "######.", ".#..#..", "######.", ".#..#..", ".#..#.."}},
    {kGlyphSeparator, {"...", "...", ".#.", "...", ".#.", "...", "..."}},
    // Words, 7 rows high.
    {kGlyphComplete,
     {".##..#..#...#.##..#...###.###.###",
      "#...#.#.##.##.#.#.#...#....#..#..",
      "#...#.#.#.#.#.#.#.#...#....#..#..",
      "#...#.#.#.#.#.##..#...##...#..##.",
      "#...#.#.#...#.#...#...#....#..#..",
      "#...#.#.#...#.#...#...#....#..#..",
      ".##..#..#...#.#...###.###..#..###"}},
    {kGlyphEdit,
     {"###.###..###.###.", "#...#..#..#...#..", "#...#..#..#...#..", "##..#..#..#...#..",
      "#...#..#..#...#..", "#...#..#..#...#..", "###.###..###..#.."}},
    {kGlyphAdd,
     {".#..###..###.", "#.#.#..#.#..#", "#.#.#..#.#..#", "#.#.#..#.#..#", "###.#..#.#..#",
      "#.#.#..#.#..#", "#.#.###..###."}},
};

// Glyphs made so far, by table position; kept for the run.
std::unique_ptr<plat::Bitmap> Made[std::size(kGlyphArt)];

} // namespace

const plat::Bitmap* Glyph(int number)
{
    for (std::size_t i = 0; i < std::size(kGlyphArt); ++i) {
        if (kGlyphArt[i].number != number)
            continue;
        if (!Made[i])
            Made[i] = plat::MonoBitmapFromArt(kGlyphArt[i].rows);
        return Made[i].get();
    }
    return nullptr;
}

void LoadGlyphs()
{
    static constexpr int kLoadOrder[] = {kGlyphExpand, kGlyphCollapse, kGlyphComplete, kGlyphEdit,
                                         kGlyphAdd, kGlyphNextIncomplete, kGlyphNext,
                                         kGlyphPrevious, kGlyphStore, kGlyphDelete, kGlyphClose};
    for (int number : kLoadOrder)
        Glyph(number);
    for (int number = kGlyphDigit0; number <= kGlyphNumberSign; ++number)
        Glyph(number);
    Glyph(kGlyphSeparator);
}
