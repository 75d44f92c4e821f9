// The settings dialog (337): how the tiles are filled (colour, texture or bitmap), how the
// background is filled (colour or bitmap), and eight colours picked from the colour picker after
// tapping their box. Its only way out is OK, which applies the look.
#pragma once

#include <optional>

#include "platform/geometry.h"

namespace plat {
struct Window;
}

// The colour box the next pick recolours (1008..1015); 0 for none.
extern int SelectedColorBox;

// Where the dialog shows ColorPickerImage (from its row 1): client pixels.
constexpr plat::Rect kPickerPlace = {120, 214, 110, 50};

// The colour a pen picks at a client point of the dialog: exactly what the dialog shows there.
// Nothing outside the picking rectangle, whose left and top edges are outside.
std::optional<plat::Color> PickerColorAt(plat::Point client);
// Command 40040: captures the board, runs the dialog, puts the board back, redraws it and saves
// the settings file.
void RunSettingsCommand(plat::Window* window);
