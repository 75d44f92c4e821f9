// Rendering. The screen and its window come later; until then there is nothing to bring up
// to date.
#include "app/render.h"

void RenderScreen(int, int, int, int)
{
}

void InvalidateTwoRects(plat::Window*, int, int, int, int, int, int, int, int)
{
}
