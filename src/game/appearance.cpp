// applyAppearance: turns the appearance fields of GameSettings into the background and the sets.
#include "game/appearance.h"

#include <string>
#include <string_view>

#include "app/layers.h"
#include "app/render.h"
#include "app/shell_state.h"
#include "data/puzzle_pack.h"
#include "data/settings.h"
#include "game/preview_panel.h"
#include "platform/runtime.h"
#include "tiles/fill_styles.h"
#include "tiles/tile_set.h"

namespace {

// A GameSettings file name (up to its first 0) after the program folder and a subfolder. Not
// cut: the name field already ends within 259 units, and cutting the UTF-8 bytes would name
// another file (or half a character).
std::string DataPath(const char* folder, const char16_t (&name)[kFileNameUnits])
{
    return ProgramDirectory + folder + SettingsFileName(name);
}

} // namespace

void applyAppearance()
{
    BoardLayer.dc.brush = plat::Brush{GameSettings.overlayColor};
    if (GameSettings.backgroundFill != 0)
        loadBackgroundPicture(DataPath("Bitmaps\\", GameSettings.backgroundBitmapFile));
    else
        fillBackgroundColor(GameSettings.backgroundColor);

    if (GameSettings.tileFill == 0)
        buildSolidSet(PlaySet, GameSettings.tileColor, kMaskNumbers7, 7);
    else if (GameSettings.tileFill == 1)
        buildPictureSet(PlaySet, DataPath("Bitmaps\\", GameSettings.tileBitmapFile), kMaskNumbers7,
                        7);
    else
        buildTextureSet(PlaySet, DataPath("Textures\\", GameSettings.textureFile), kMaskNumbers7,
                        7);

    buildSolidSet(HintSet, GameSettings.hintColor, kMaskNumbers7, 7);
    Panel.foregroundColor = GameSettings.previewForegroundColor;
    buildSolidSet(PreviewSet, GameSettings.previewForegroundColor, kMaskNumbers3, 3);
    Panel.bodyColor = GameSettings.previewBackgroundColor;
    Panel.textColor = GameSettings.previewTextColor;
    Panel.titleColor = GameSettings.previewTitleColor;

    if (GameSettings.currentPuzzle >= PackCount())
        GameSettings.currentPuzzle = PackCount() - 1;
    ShowPuzzleInPanel(GameSettings.currentPuzzle);
    RenderScreen(0, 0, kLayerWidth, kLayerHeight);
}
