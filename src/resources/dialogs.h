// Dialog resources by number: the About box (103), the puzzle browser (306) and the settings
// dialog (337) with their controls' identifiers, and bitmap 340, the colour box marker.
#pragma once

#include <memory>

#include "platform/bitmap.h"
#include "platform/dialog.h"

constexpr int kDialogAbout = 103;
constexpr int kDialogPuzzleBrowser = 306;
constexpr int kDialogSettings = 337;
constexpr int kBitmapMarker = 340;

// Puzzle browser.
constexpr int kIdPackList = 1047;

// Settings: the radio buttons, the three file lists, the eight colour boxes (in the order of
// their colours in GameSettings below) and their markers, each marker's id its box's + 8.
constexpr int kIdTileColorRadio = 1049;
constexpr int kIdTextureRadio = 1050;
constexpr int kIdTileBitmapRadio = 1051;
constexpr int kIdBackgroundColorRadio = 1052;
constexpr int kIdBackgroundBitmapRadio = 1053;
constexpr int kIdTextureList = 1055;
constexpr int kIdTileBitmapList = 1056;
constexpr int kIdBackgroundBitmapList = 1057;
constexpr int kIdTileColorBox = 1008;          // tileColor
constexpr int kIdBackgroundColorBox = 1009;    // backgroundColor
constexpr int kIdPreviewTitleBox = 1010;       // previewTitleColor
constexpr int kIdPreviewTextBox = 1011;        // previewTextColor
constexpr int kIdPreviewForegroundBox = 1012;  // previewForegroundColor
constexpr int kIdPreviewBackgroundBox = 1013;  // previewBackgroundColor
constexpr int kIdOverlayColorBox = 1014;       // overlayColor
constexpr int kIdHintColorBox = 1015;          // hintColor
constexpr int kColorBoxCount = 8;
constexpr int kMarkerOffset = 8;

// The template of dialog 103, 306 or 337; null for any other number.
const plat::DialogTemplate* LoadDialogResource(int number);
// Bitmap 340: a black arrowhead pointing right, on white, 4 x 7 pixels.
std::unique_ptr<plat::Bitmap> LoadMarkerBitmap();
// The pictures dialogs name by number: 340, the marker, and 101, the program icon at 32 x 32.
// Null for any other number.
std::unique_ptr<plat::Bitmap> LoadDialogImage(int number);
