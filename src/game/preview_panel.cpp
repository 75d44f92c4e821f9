// The preview panel's colours. Drawing the panel comes later.
#include "game/preview_panel.h"

PanelColors PreviewPanelColors;

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
