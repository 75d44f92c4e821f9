// The look of the game from the settings: background, the play, hint and preview sets, the
// panel's colours.
#pragma once

// Background layer, play, hint and preview sets and panel colours from GameSettings; then the
// current puzzle is brought inside the pack, shown in the panel, and the screen rendered.
void applyAppearance();
