// The menu bar. It does not exist yet: the window system comes first, so the menu operations
// have nothing to act on.
#include "app/menu_bar.h"

void ResetCustomPackMenu()
{
}
