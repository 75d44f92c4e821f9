// The clock and the solved message. Not built yet.
#include "game/clock.h"

void ShowSolvedMessage(plat::Window*)
{
}
