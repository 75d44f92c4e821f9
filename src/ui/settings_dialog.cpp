// The settings dialog: file lists, radio buttons, colour boxes with their markers, the colour
// picker drawn on the dialog and picked by pen press and drag, and OK.
#include "ui/settings_dialog.h"

#include <cstdint>
#include <string>
#include <vector>

#include "app/layers.h"
#include "app/render.h"
#include "app/shell_state.h"
#include "data/settings.h"
#include "game/appearance.h"
#include "game/board.h"
#include "game/board_layout.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/drop_down.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/window.h"
#include "resources/dialogs.h"
#include "ui/color_picker.h"

int SelectedColorBox = 0;

namespace {

// Each colour box and the GameSettings colour it stands for.
struct BoxField {
    int box;
    std::uint32_t GameSettingsRecord::*color;
};
constexpr BoxField kBoxes[kColorBoxCount] = {
    {kIdTileColorBox, &GameSettingsRecord::tileColor},
    {kIdBackgroundColorBox, &GameSettingsRecord::backgroundColor},
    {kIdPreviewTitleBox, &GameSettingsRecord::previewTitleColor},
    {kIdPreviewTextBox, &GameSettingsRecord::previewTextColor},
    {kIdPreviewForegroundBox, &GameSettingsRecord::previewForegroundColor},
    {kIdPreviewBackgroundBox, &GameSettingsRecord::previewBackgroundColor},
    {kIdOverlayColorBox, &GameSettingsRecord::overlayColor},
    {kIdHintColorBox, &GameSettingsRecord::hintColor},
};

// Each file list, its folder and the GameSettings name it sets.
struct FileList {
    int list;
    const char* folder;
    char16_t (GameSettingsRecord::*name)[kFileNameUnits];
};
constexpr FileList kFileLists[] = {
    {kIdTextureList, "Textures\\", &GameSettingsRecord::textureFile},
    {kIdTileBitmapList, "Bitmaps\\", &GameSettingsRecord::tileBitmapFile},
    {kIdBackgroundBitmapList, "Bitmaps\\", &GameSettingsRecord::backgroundBitmapFile},
};

constexpr const char* kPickFirst =
    "Please Select a color attribute to change by tapping in the appropriate color box.";

// One run of the dialog.
struct Settings {
    bool toldThisStroke = false; // the "select a box first" message shows once per pen stroke
};

plat::ColorBoxControl* Box(plat::Dialog& dialog, int id)
{
    return static_cast<plat::ColorBoxControl*>(dialog.control(id));
}

plat::RadioControl* Radio(plat::Dialog& dialog, int id)
{
    return static_cast<plat::RadioControl*>(dialog.control(id));
}

// The folder's pictures in the order the folder gives them; the entry naming the current file is
// chosen, unless that file cannot be read (then, as for a missing one, none is).
void FillFileList(plat::Dialog& dialog, const FileList& files)
{
    std::string folder = ProgramDirectory + files.folder;
    std::vector<std::string> names = plat::ListFiles(folder, "*.bmp");
    std::string current = SettingsFileName(GameSettings.*files.name);
    int chosen = -1;
    for (int i = 0; i < static_cast<int>(names.size()) && chosen < 0; ++i)
        if (names[static_cast<std::size_t>(i)] == current && plat::OpenFileForReading(folder + current))
            chosen = i;
    auto* list = static_cast<plat::DropDownControl*>(dialog.control(files.list));
    list->setItems(std::move(names));
    list->select(chosen);
}

// Radio buttons and lists as the fills are drawn: tileFill 0 colour, 1 bitmap, any other value
// texture; backgroundFill 0 colour, any other bitmap.
void ShowFills(plat::Dialog& dialog)
{
    int tile = GameSettings.tileFill;
    bool texture = tile != 0 && tile != 1;
    Radio(dialog, kIdTileColorRadio)->setChecked(tile == 0);
    Radio(dialog, kIdTileBitmapRadio)->setChecked(tile == 1);
    Radio(dialog, kIdTextureRadio)->setChecked(texture);
    dialog.control(kIdTextureList)->enable(texture);
    dialog.control(kIdTileBitmapList)->enable(tile == 1);
    bool picture = GameSettings.backgroundFill != 0;
    Radio(dialog, kIdBackgroundColorRadio)->setChecked(!picture);
    Radio(dialog, kIdBackgroundBitmapRadio)->setChecked(picture);
    dialog.control(kIdBackgroundBitmapList)->enable(picture);
}

// The box the next pick recolours (0: none); only its marker shows.
void SelectBox(plat::Dialog& dialog, int box)
{
    SelectedColorBox = box;
    for (const BoxField& b : kBoxes)
        dialog.control(b.box + kMarkerOffset)->show(b.box == box);
}

void OnInit(plat::Dialog& dialog)
{
    ClockPaused = true;
    for (const FileList& files : kFileLists)
        FillFileList(dialog, files);
    ShowFills(dialog);
    for (const BoxField& b : kBoxes)
        Box(dialog, b.box)->setColor(GameSettings.*b.color);
    SelectBox(dialog, 0);
    dialog.setPainter([](plat::DrawContext& dc) {
        if (!ColorPickerImage)
            return;
        plat::DrawContext picker(ColorPickerImage.get());
        plat::BitBlt(dc, kPickerPlace.x, kPickerPlace.y, kPickerPlace.width, kPickerPlace.height, &picker, 0, 1,
                     plat::kRopSrcCopy);
    });
}

void OnOk(plat::Dialog& dialog)
{
    plat::SetWaitCursor(true);
    for (const BoxField& b : kBoxes)
        GameSettings.*b.color = Box(dialog, b.box)->color();
    applyAppearance();
    dialog.end(plat::kIdOk);
    plat::SetWaitCursor(false);
}

void CopyChosenFile(plat::Dialog& dialog, const FileList& files)
{
    auto* list = static_cast<plat::DropDownControl*>(dialog.control(files.list));
    if (list->selected() >= 0)
        SetSettingsFileName(GameSettings.*files.name, list->text());
}

void OnCommand(plat::Dialog& dialog, int id, std::intptr_t code)
{
    switch (id) {
    case kIdTileColorRadio:
        GameSettings.tileFill = 0;
        ShowFills(dialog);
        SelectBox(dialog, kIdTileColorBox);
        return;
    case kIdTextureRadio:
    case kIdTileBitmapRadio:
        GameSettings.tileFill = id == kIdTextureRadio ? 2 : 1;
        ShowFills(dialog);
        return;
    case kIdBackgroundColorRadio:
        GameSettings.backgroundFill = 0;
        ShowFills(dialog);
        SelectBox(dialog, kIdBackgroundColorBox);
        return;
    case kIdBackgroundBitmapRadio:
        GameSettings.backgroundFill = 1;
        ShowFills(dialog);
        return;
    default:
        break;
    }
    for (const FileList& files : kFileLists)
        if (id == files.list)
            CopyChosenFile(dialog, files);
    for (const BoxField& b : kBoxes)
        if (id == b.box && (code == plat::kNotifyClicked || code == plat::kNotifySetFocus))
            SelectBox(dialog, b.box);
}

void Pick(plat::Dialog& dialog, Settings& s, plat::Point at)
{
    std::optional<plat::Color> color = PickerColorAt(at);
    if (!color)
        return;
    if (SelectedColorBox == 0) {
        if (!s.toldThisStroke) {
            s.toldThisStroke = true;
            plat::ShowMessageBox(dialog.window(), kPickFirst, "Color Settings", plat::MessageIcon::None,
                                 plat::MessageButtons::Ok);
        }
        return;
    }
    plat::ColorBoxControl* box = Box(dialog, SelectedColorBox);
    box->setColor(*color);
    plat::UpdateWindow(box->window());
}

bool SettingsProc(plat::Dialog& dialog, const plat::Message& message, Settings& s)
{
    switch (message.msg) {
    case plat::Msg::InitDialog:
        OnInit(dialog);
        return true;
    case plat::Msg::Command:
        if (message.id == plat::kIdOk || message.id == plat::kIdCancel)
            OnOk(dialog); // no cancel: every change made is applied
        else
            OnCommand(dialog, message.id, message.value);
        return true;
    case plat::Msg::PenDown:
        s.toldThisStroke = false;
        Pick(dialog, s, message.pt);
        return true;
    case plat::Msg::PenMove:
        Pick(dialog, s, message.pt);
        return true;
    default:
        return false;
    }
}

} // namespace

std::optional<plat::Color> PickerColorAt(plat::Point client)
{
    const plat::Rect& p = kPickerPlace;
    if (client.x <= p.x || client.x >= p.right() || client.y <= p.y || client.y >= p.bottom())
        return std::nullopt;
    // The dialog shows the image from its row 1: its bottom row shows the dialog's white ground.
    int x = client.x - p.x, y = client.y - p.y + 1;
    if (!ColorPickerImage || y >= ColorPickerImage->height() || x >= ColorPickerImage->width())
        return plat::kWhite;
    plat::DrawContext image(ColorPickerImage.get());
    return plat::GetPixel(image, x, y);
}

void RunSettingsCommand(plat::Window* window)
{
    plat::SetWaitCursor(true);
    SelectTile(window, -1);
    CaptureBoardState();
    MakeColorPickerImage();
    plat::SetWaitCursor(false);
    Settings s;
    plat::RunModalDialog(*LoadDialogResource(kDialogSettings), window,
                         [&s](plat::Dialog& dialog, const plat::Message& message) {
                             return SettingsProc(dialog, message, s);
                         });
    if (!plat::IsWindowAlive(window))
        return;
    RestoreBoardState();
    RedrawTileLayer(TileSelected);
    ComposeBoard(0, 0, kLayerWidth, kLayerHeight);
    RenderScreen(0, 0, kLayerWidth, kLayerHeight);
    plat::InvalidateRect(window);
    plat::UpdateWindow(window);
    SaveSettings();
}
