// The shell's hooks for the layers below it.
#include "app/shell_hooks.h"

#include "app/render.h"
#include "data/puzzle_pack.h"
#include "data/settings.h"
#include "game/board_layout.h"
#include "game/clock.h"
#include "game/preview_panel.h"
#include "game/solved_check.h"
#include "tiles/tile_sprite.h"

void InstallShellHooks()
{
    SpriteRedraw = {RenderScreen, InvalidateTwoRects, IsPuzzleSolved, ShowSolvedMessage,
                    [] { return Panel.bodyColor; }};
    CaptureBoardStateHook = CaptureBoardState;
}
