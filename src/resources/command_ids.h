// Command identifiers: what menus, the toolbar, accelerator keys and dialog controls send.
#pragma once

constexpr int kCommandOk = 1;                   // a dialog's OK (the Done button)
constexpr int kCommandCloseAtOnce = 1;          // Ctrl+Q in the main window: close, no question
constexpr int kCommandGameMenu = 40001;         // the menu-bar button of the "Game " pop-up
constexpr int kCommandAbout = 40002;
constexpr int kCommandRotateClockwise = 40003;
constexpr int kCommandRotateCounterClockwise = 40004;
constexpr int kCommandMirror = 40005;
constexpr int kCommandFlip = 40008;
constexpr int kCommandClearCenter = 40009;
constexpr int kCommandKeyR = 40010;             // accelerator keys the handheld left unhandled
constexpr int kCommandKeyW = 40012;
constexpr int kCommandKeyLeft = 40013;
constexpr int kCommandKeyRight = 40014;
constexpr int kCommandKeyC = 40015;
constexpr int kCommandPuzzles = 40016;
constexpr int kCommandKeyUp = 40017;            // keyboard play on the desktop
constexpr int kCommandKeyDown = 40018;
constexpr int kCommandNextTile = 40019;
constexpr int kCommandPreviousTile = 40020;
constexpr int kCommandClearSelected = 40026;    // browser list pop-up
constexpr int kCommandClearAll = 40038;
constexpr int kCommandSettings = 40040;
constexpr int kCommandExit = 40041;
constexpr int kCommandGetHint = 40072;
constexpr int kCommandNextHint = 40073;
constexpr int kCommandHideHints = 40074;
constexpr int kCommandShowHints = 40075;
constexpr int kCommandLoadCustom = 40082;
constexpr int kCommandSaveCustomAs = 40083;
constexpr int kCommandEditToolbar = 40085;
constexpr int kCommandToggleOverlay = 40086;
constexpr int kCommandCenterTiles = 40087;
constexpr int kCommandPause = 40088;
