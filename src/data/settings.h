// The settings file "zentiles.cfg": GameSettings, the 1808-byte record of user choices and of the
// board as it was left, byte for byte as stored. Little-endian, UTF-16 file names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>


constexpr int kFileNameUnits = 260;

struct SavedTile {
    std::int32_t x; // grid units of 7 pixels, absolute board position
    std::int32_t y;
    std::int32_t orientation;
};
static_assert(sizeof(SavedTile) == 12);

struct GameSettingsRecord {
    std::int32_t currentPack;
    std::int32_t currentPuzzle;
    std::int32_t tileFill; // 0 colour, 1 picture, other: texture
    std::uint32_t tileColor;
    char16_t textureFile[kFileNameUnits];
    char16_t tileBitmapFile[kFileNameUnits];
    std::int32_t backgroundFill; // 0 colour, other: picture
    std::uint32_t backgroundColor;
    char16_t backgroundBitmapFile[kFileNameUnits];
    std::uint32_t previewTitleColor;
    std::uint32_t previewTextColor;
    std::uint32_t previewForegroundColor;
    std::uint32_t previewBackgroundColor;
    std::uint8_t overlayShown;
    std::uint8_t reserved1[3];
    std::uint32_t overlayColor;
    std::uint32_t hintColor;
    SavedTile savedTiles[7];
    std::uint8_t savedMirror;
    std::uint8_t reserved2[3];
    std::int32_t previewX;
    std::int32_t previewY;
    std::uint8_t reserved3[96]; // written as zero, ignored on reading
    std::uint8_t previewExpanded;
    std::uint8_t reserved4[3];
};
static_assert(sizeof(GameSettingsRecord) == 1808);
static_assert(offsetof(GameSettingsRecord, textureFile) == 16);
static_assert(offsetof(GameSettingsRecord, tileBitmapFile) == 536);
static_assert(offsetof(GameSettingsRecord, backgroundFill) == 1056);
static_assert(offsetof(GameSettingsRecord, backgroundBitmapFile) == 1064);
static_assert(offsetof(GameSettingsRecord, previewTitleColor) == 1584);
static_assert(offsetof(GameSettingsRecord, overlayShown) == 1600);
static_assert(offsetof(GameSettingsRecord, overlayColor) == 1604);
static_assert(offsetof(GameSettingsRecord, savedTiles) == 1612);
static_assert(offsetof(GameSettingsRecord, savedMirror) == 1696);
static_assert(offsetof(GameSettingsRecord, previewX) == 1700);
static_assert(offsetof(GameSettingsRecord, reserved3) == 1708);
static_assert(offsetof(GameSettingsRecord, previewExpanded) == 1804);

// The one settings record, static for the whole run; all zeros until LoadSettings.
extern GameSettingsRecord GameSettings;

// The look and layout the game ships with (the first-start "zentiles.cfg" is written from it):
// amber tiles on slate blue, readable panel colours, overlay on, the tiles at home.
GameSettingsRecord ShippedSettings();

// Fills GameSettings from the file; "File Not Found!" when it is missing or cannot be opened,
// and then the shipped settings; "FileReadError", and fields the file does not hold are 0.
// currentPack outside 0..4 becomes 0, a negative currentPuzzle 0 and one above 99 becomes 99;
// a file-name field without a 0 unit is cut at 259 units, or 258 before a high surrogate.
void LoadSettings();
// Captures the board state, then writes the file ("FileCreateError", "FileWriteError"; the old
// file stays intact on failure). The 96 reserved bytes are always written as zero.
void SaveSettings();

// Installed by the shell at start-up: captures the board state into the record before a save.
// Null (no board: tools, tests) saves the record as it stands.
extern void (*CaptureBoardStateHook)();

// A file-name field as UTF-8, up to its 0 unit (at most 259 units).
std::string SettingsFileName(const char16_t (&field)[kFileNameUnits]);
// Stores a UTF-8 name in a file-name field, cut to 259 units and ended with 0 units.
void SetSettingsFileName(char16_t (&field)[kFileNameUnits], std::string_view name);
