// The dialog templates, one line per control in template order, rectangles in dialog units
// (left, top, width, height); and bitmap 340 as pixel art.
//
// Our text is wider than the handheld's 8-point System font, so some rectangles are wider than
// the handheld's (every text must show whole): in 337 the radio buttons, the boxes and markers
// beside them, the preview labels, the groups and the file lists; in 306 the pack list; in 103
// the icon, the second contact line and the goal text. Markers are a unit taller, so that their
// seven rows are never cut by the rounding of dialog units.
#include "resources/dialogs.h"

#include <iterator>

#include "platform/look.h"
#include "platform/text.h"
#include "resources/program_icon.h"

namespace {

using plat::ControlKind;
using plat::DialogItem;
using plat::kNoId;
constexpr unsigned kLabel = plat::kTextLeft | plat::kTextVCenter;

// Dialog 306, "Puzzle List": only the pack list; the puzzle list is made when it opens.
constexpr DialogItem kBrowserItems[] = {
    {ControlKind::DropDown, kIdPackList, "", {0, 0, 68, 71}},
};

// Dialog 337, "Settings". The colour picker is drawn by the dialog itself, under the groups.
constexpr DialogItem kSettingsItems[] = {
    {ControlKind::Radio, kIdTileColorRadio, "Foreground Color", {10, 11, 78, 10}},
    {ControlKind::Radio, kIdTextureRadio, "Texture", {10, 24, 42, 10}},
    {ControlKind::Radio, kIdTileBitmapRadio, "Bitmap", {10, 39, 42, 10}},
    {ControlKind::DropDown, kIdTextureList, "", {53, 23, 88, 123}},
    {ControlKind::DropDown, kIdTileBitmapList, "", {53, 37, 88, 109}},
    {ControlKind::Radio, kIdBackgroundColorRadio, "Background Color", {10, 62, 78, 10}},
    {ControlKind::Radio, kIdBackgroundBitmapRadio, "Bitmap", {10, 76, 42, 10}},
    {ControlKind::DropDown, kIdBackgroundBitmapList, "", {53, 75, 88, 70}},
    {ControlKind::ColorBox, kIdBackgroundColorBox, "", {93, 63, 8, 9}},
    {ControlKind::ColorBox, kIdPreviewTitleBox, "", {57, 103, 8, 9}},
    {ControlKind::ColorBox, kIdPreviewTextBox, "", {57, 114, 8, 9}},
    {ControlKind::ColorBox, kIdPreviewForegroundBox, "", {57, 125, 8, 9}},
    {ControlKind::ColorBox, kIdOverlayColorBox, "", {133, 99, 8, 9}},
    {ControlKind::Static, kNoId, "Background", {8, 136, 46, 8}, kLabel},
    {ControlKind::Static, kNoId, "Forground", {8, 125, 46, 8}, kLabel},
    {ControlKind::Static, kNoId, "Text", {8, 114, 46, 8}, kLabel},
    {ControlKind::Static, kNoId, "Title Bar", {8, 103, 46, 8}, kLabel},
    {ControlKind::Static, kNoId, "Overlay Color", {76, 99, 54, 8}, kLabel},
    {ControlKind::ColorBox, kIdPreviewBackgroundBox, "", {57, 136, 8, 9}},
    {ControlKind::Image, kIdTileColorBox + kMarkerOffset, "#340", {90, 14, 3, 5}},
    {ControlKind::ColorBox, kIdTileColorBox, "", {93, 11, 8, 9}},
    {ControlKind::Image, kIdBackgroundColorBox + kMarkerOffset, "#340", {90, 65, 3, 5}},
    {ControlKind::Image, kIdPreviewTitleBox + kMarkerOffset, "#340", {54, 105, 3, 5}},
    {ControlKind::Image, kIdOverlayColorBox + kMarkerOffset, "#340", {130, 101, 3, 5}},
    {ControlKind::Image, kIdPreviewTextBox + kMarkerOffset, "#340", {54, 116, 3, 5}},
    {ControlKind::Image, kIdPreviewForegroundBox + kMarkerOffset, "#340", {54, 127, 3, 5}},
    {ControlKind::Image, kIdPreviewBackgroundBox + kMarkerOffset, "#340", {54, 138, 3, 5}},
    {ControlKind::GroupBox, kNoId, "Preview Colors", {4, 91, 67, 60}},
    {ControlKind::GroupBox, kNoId, "Background", {5, 53, 141, 38}},
    {ControlKind::GroupBox, kNoId, "Foreground (Tiles)", {5, 1, 141, 51}},
    {ControlKind::ColorBox, kIdHintColorBox, "", {133, 110, 8, 9}},
    {ControlKind::Static, kNoId, "Hint Color", {76, 110, 54, 8}, kLabel},
    {ControlKind::Image, kIdHintColorBox + kMarkerOffset, "#340", {130, 112, 3, 5}},
    {ControlKind::GroupBox, kNoId, "Puzzle Overlay", {73, 91, 73, 30}},
};

// Dialog 103, "About Zentiles".
constexpr DialogItem kAboutItems[] = {
    {ControlKind::Image, kNoId, "#101", {13, 4, 22, 20}},
    {ControlKind::Static, kNoId, "Vantorel Zentiles", {42, 7, 93, 8}, plat::kTextCenter},
    {ControlKind::Static, kNoId, "Version 2.01", {40, 15, 84, 8}, plat::kTextCenter},
    {ControlKind::Static, kNoId, "The Zentiles project", {24, 28, 127, 8}, plat::kTextLeft},
    {ControlKind::Static, kNoId, "Source: zentiles Git repository", {24, 37, 127, 8}, plat::kTextLeft},
    {ControlKind::Static, kNoId,
     "The object of Zentiles is to reproduce the given shape using the 7 geometric tiles.  All 7 "
     "tiles must be used in every puzzle, and the tiles may not overlap.",
     {8, 51, 148, 33}, plat::kTextLeft | plat::kTextWrap},
};

constexpr plat::DialogTemplate kBrowser = {"Puzzle List", {140, 149}, true, kBrowserItems, kDialogPuzzleBrowser};
constexpr plat::DialogTemplate kSettings = {"Settings", {141, 159}, true, kSettingsItems, kDialogSettings};
constexpr plat::DialogTemplate kAbout = {"About Zentiles", {188, 199}, true, kAboutItems, kDialogAbout};

constexpr const char* kMarkerArt[] = {
    "#...",
    "##..",
    "###.",
    "####",
    "###.",
    "##..",
    "#...",
};

} // namespace

const plat::DialogTemplate* LoadDialogResource(int number)
{
    switch (number) {
    case kDialogAbout: return &kAbout;
    case kDialogPuzzleBrowser: return &kBrowser;
    case kDialogSettings: return &kSettings;
    default: return nullptr;
    }
}

std::unique_ptr<plat::Bitmap> LoadMarkerBitmap()
{
    auto bitmap = plat::CreateScreenBitmap(4, static_cast<int>(std::size(kMarkerArt)));
    plat::DrawContext dc(bitmap.get());
    plat::FillRect(dc, {0, 0, bitmap->width(), bitmap->height()}, plat::Brush{plat::kWhite});
    plat::DrawPixelArt(dc, 0, 0, kMarkerArt, static_cast<int>(std::size(kMarkerArt)), plat::kBlack);
    return bitmap;
}

std::unique_ptr<plat::Bitmap> LoadDialogImage(int number)
{
    switch (number) {
    case kBitmapMarker: return LoadMarkerBitmap();
    case kProgramIconResource: return LoadProgramIcon(kProgramIconLarge);
    default: return nullptr;
    }
}
