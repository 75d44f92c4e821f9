// The settings file "zentiles.cfg": loading and saving GameSettings, and the board layout it keeps.
#include "data/settings.h"

#include <algorithm>
#include <cstring>

#include "data/puzzle_pack.h"
#include "data/record_files.h"
#include "platform/geometry.h"
#include "platform/runtime.h"
#include "resources/home_places.h"

GameSettingsRecord GameSettings{};
void (*CaptureBoardStateHook)() = nullptr;

namespace {

const char* const kSettingsFile = "zentiles.cfg";

bool IsHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit < 0xDC00;
}

// Ends a field a damaged file left without its 0 unit, never keeping half of a surrogate pair.
void EndFileName(char16_t (&field)[kFileNameUnits])
{
    if (field[kFileNameUnits - 1] != 0 && IsHighSurrogate(field[kFileNameUnits - 2])) {
        field[kFileNameUnits - 2] = 0;
    }
    field[kFileNameUnits - 1] = 0;
}

// Values a damaged file may hold that would send later code out of its tables.
void RepairLoadedSettings(GameSettingsRecord& settings)
{
    if (settings.currentPack < 0 || settings.currentPack >= kPackCount) {
        settings.currentPack = 0;
    }
    settings.currentPuzzle = std::clamp(settings.currentPuzzle, 0, kPuzzlesPerPack - 1);
    EndFileName(settings.textureFile);
    EndFileName(settings.tileBitmapFile);
    EndFileName(settings.backgroundBitmapFile);
}

} // namespace

GameSettingsRecord ShippedSettings()
{
    using plat::MakeColor;
    GameSettingsRecord s{};
    s.currentPack = 0;
    s.currentPuzzle = 0;
    s.tileFill = 0;                            // solid colour
    s.tileColor = MakeColor(236, 156, 48);     // amber
    s.backgroundFill = 0;
    s.backgroundColor = MakeColor(28, 58, 84); // deep slate blue
    s.previewTitleColor = MakeColor(255, 255, 255);
    s.previewTextColor = MakeColor(24, 24, 24);
    s.previewForegroundColor = MakeColor(40, 40, 40);
    s.previewBackgroundColor = MakeColor(232, 228, 214);
    s.overlayShown = 1; // the target shows on the board from the first start
    s.overlayColor = MakeColor(112, 152, 182);
    s.hintColor = MakeColor(120, 196, 120);
    for (const HomePlace& home : kHomePlaces) {
        s.savedTiles[home.tileIndex] = {home.column, home.row, home.orientation};
    }
    s.savedMirror = 1; // the parallelogram's home shape is the mirrored one
    s.previewX = 150;
    s.previewY = 4;
    s.previewExpanded = 1;
    return s;
}

void LoadSettings()
{
    GameSettings = GameSettingsRecord{};
    switch (ReadRecordFile(kSettingsFile, &GameSettings, sizeof GameSettings)) {
    case RecordRead::Missing:
    case RecordRead::Unopenable:
        ShowFileError("File Not Found!");
        // All-zero settings would be black tiles on a black board: start from the shipped look.
        GameSettings = ShippedSettings();
        break;
    case RecordRead::Failed:
        ShowFileError("FileReadError");
        break;
    case RecordRead::Read:
        break;
    }
    RepairLoadedSettings(GameSettings);
}

void SaveSettings()
{
    if (CaptureBoardStateHook)
        CaptureBoardStateHook();
    std::memset(GameSettings.reserved3, 0, sizeof GameSettings.reserved3);
    WriteRecordFile(kSettingsFile, &GameSettings, sizeof GameSettings);
}

std::string SettingsFileName(const char16_t (&field)[kFileNameUnits])
{
    const char16_t* end = std::find(field, field + kFileNameUnits - 1, u'\0');
    return plat::Utf16ToUtf8(std::u16string_view(field, end - field));
}

void SetSettingsFileName(char16_t (&field)[kFileNameUnits], std::string_view name)
{
    const std::u16string units = plat::Utf8ToUtf16(name);
    std::size_t kept = std::min<std::size_t>(units.size(), kFileNameUnits - 1);
    if (kept < units.size() && kept > 0 && IsHighSurrogate(units[kept - 1])) {
        --kept; // never keep half of a surrogate pair
    }
    std::fill(std::begin(field), std::end(field), u'\0');
    std::copy_n(units.begin(), kept, field);
}
