// The shell-wide state and its start values.
#include "app/shell_state.h"

std::string ProgramDirectory;
plat::Window* MainWindow = nullptr;
plat::Window* MenuBar = nullptr;
bool TileSelected = false;
bool HintsVisible = false;
int HintCounter = -1;
bool ClockPaused = true;
bool MessageBoxActive = false;
bool TilesAtHome = false;
bool ReopenBrowser = false;
plat::Point PenAnchor{0, 0};

void ResetShellState()
{
    MainWindow = nullptr;
    TileSelected = false;
    HintsVisible = false;
    HintCounter = -1;
    ClockPaused = true;
    MessageBoxActive = false;
    TilesAtHome = false;
    ReopenBrowser = false;
    PenAnchor = {0, 0};
}
