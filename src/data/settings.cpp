// The settings file "zentiles.cfg": loading and saving GameSettings, and the board layout it keeps.
#include "data/settings.h"

#include <algorithm>
#include <cstring>

#include "data/puzzle_pack.h"
#include "data/record_files.h"
#include "platform/runtime.h"

GameSettingsRecord GameSettings{};
void (*CaptureBoardStateHook)() = nullptr;

namespace {

const char* const kSettingsFile = "zentiles.cfg";

void EndFileName(char16_t (&field)[kFileNameUnits])
{
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

void LoadSettings()
{
    GameSettings = GameSettingsRecord{};
    switch (ReadRecordFile(kSettingsFile, &GameSettings, sizeof GameSettings)) {
    case RecordRead::Missing:
        ShowFileError("File Not Found!");
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
    if (kept < units.size() && kept > 0 && units[kept - 1] >= 0xD800 && units[kept - 1] < 0xDC00) {
        --kept; // never keep half of a surrogate pair
    }
    std::fill(std::begin(field), std::end(field), u'\0');
    std::copy_n(units.begin(), kept, field);
}
