// The preview panel's colours and position. It is not drawn yet: it takes no room on the board
// and no pen press.
#include "game/preview_panel.h"

PanelColors PreviewPanelColors;

namespace {
plat::Point PanelPosition;
bool Expanded = false;
} // namespace

void SetPanelForegroundColor(plat::Color color)
{
    PreviewPanelColors.foreground = color;
}

void SetPanelColors(plat::Color body, plat::Color text, plat::Color title)
{
    PreviewPanelColors.body = body;
    PreviewPanelColors.text = text;
    PreviewPanelColors.title = title;
}

void ShowPuzzleInPanel(int)
{
}

plat::Point GetPanelPosition()
{
    return PanelPosition;
}

void SetPanelPosition(int x, int y)
{
    PanelPosition = {x, y};
}

bool PanelExpanded()
{
    return Expanded;
}

void SetPanelExpanded(bool expanded)
{
    Expanded = expanded;
}

void DrawPanel()
{
}

void DrawStatusLine()
{
}

bool PanelPenDown(int, int)
{
    return false;
}
