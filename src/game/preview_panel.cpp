// The preview panel's colours and position, and the preview tiles laid out as the current puzzle.
// The panel is not drawn yet: it takes no room on the board and no pen press.
#include "game/preview_panel.h"

#include <algorithm>

#include "data/puzzle_pack.h"
#include "data/settings.h"
#include "game/hints.h"
#include "tiles/tile_set.h"

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

void ShowPuzzleInPanel(int index)
{
    if (!PreviewSet.sprites[4] || index < 0 || index >= kPuzzlesPerPack)
        return;
    const PuzzleRecord& record = PuzzlePack.block.puzzles[index];
    if (PreviewSet[4].mirrored != (record.mirrored != 0))
        PreviewSet[4].flipVertical(nullptr);
    // A narrow silhouette sits in the middle of the 64-pixel minimum width, in whole 3-pixel cells.
    int width = 0;
    for (int i = 0; i < kTileCount; ++i) {
        const plat::Bitmap* image = PreviewSet[i].images[OrientationOf(record, i)];
        width = std::max(width, record.x[i] * 3 + (image ? image->width() : 0));
    }
    width += 6;
    int xOffset = width < 64 ? (64 - width) / 6 + 1 : 1;
    if (index < PackCount())
        for (int i = 0; i < kTileCount; ++i)
            PreviewSet[i].place(record.x[i] + xOffset, record.y[i] + 8, OrientationOf(record, i));
    if (GameSettings.overlayShown == 1)
        BuildOverlay();
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
