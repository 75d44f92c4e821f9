// The preview panel: the one floating panel that shows the target silhouette, the puzzle number,
// the time and the hints. Only the colour hand-over and puzzle showing exist so far.
#pragma once

#include "platform/geometry.h"

struct PanelColors {
    plat::Color title = 0;
    plat::Color text = 0;
    plat::Color body = 0;       // previewBackgroundColor: backdrop 3 of see-through tiles
    plat::Color foreground = 0; // silhouette and status line
};
extern PanelColors PreviewPanelColors;

void SetPanelForegroundColor(plat::Color color);
void SetPanelColors(plat::Color body, plat::Color text, plat::Color title);
// Shows puzzle `index` of the pack in the panel (an index outside the pack shows an empty body).
void ShowPuzzleInPanel(int index);
