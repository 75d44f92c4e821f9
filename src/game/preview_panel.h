// The preview panel: the one floating panel that shows the target silhouette, the puzzle number,
// the time and the hints. It keeps its colours and position; the board calls these at the
// places where the panel changes.
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

// Where the panel lies, board pixels.
plat::Point GetPanelPosition();
void SetPanelPosition(int x, int y);
// Whether the silhouette shows (else only the header).
bool PanelExpanded();
void SetPanelExpanded(bool expanded);

// Draws the panel onto the ScreenBuffer.
void DrawPanel();
// Redraws the status line (number, time, hints).
void DrawStatusLine();
// A pen down at board pixel (x, y): true when it lies on the panel (a button is then armed).
bool PanelPenDown(int x, int y);
