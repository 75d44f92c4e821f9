// The menu bar with its "Game " drop-down menu and the toolbar.
#pragma once

// Resets the custom-pack entries of the "Custom" pop-up: entry 40085 back at position 3 as
// "Enable Toolbar", and 40085, 40082, 40083 greyed unless the custom pack is current.
// Does nothing while there is no menu bar.
void ResetCustomPackMenu();
