// The main window. Creation brings the subsystems up in a fixed order: settings, pack, layers,
// tile sets, panel, appearance, saved layout, first composition, hint state, timers.
#include "app/main_window.h"

#include "app/commands.h"
#include "app/layers.h"
#include "app/menu_bar.h"
#include "app/pen_input.h"
#include "app/render.h"
#include "app/shell_state.h"
#include "data/progress.h"
#include "data/puzzle_pack.h"
#include "data/settings.h"
#include "game/appearance.h"
#include "game/board.h"
#include "game/board_layout.h"
#include "game/clock.h"
#include "game/hints.h"
#include "game/preview_panel.h"
#include "platform/runtime.h"
#include "platform/window.h"
#include "resources/glyphs.h"
#include "resources/strings.h"
#include "tiles/tile_set.h"

namespace {

// Set once creation has brought everything up, cleared at destruction. Before it the board, the
// layers and the loaded files do not all exist: a command, a pen event or a close that arrives
// while a start-up message box is open must find nothing to act on and nothing to save.
bool CreationFinished = false;

void HideInputPanelButton(plat::Window* window, int)
{
    plat::SetInputPanelButton(false);
    plat::KillTimer(window, kInputPanelTimer);
}

void StartInputPanelTimer(plat::Window* window)
{
    plat::SetTimer(window, kInputPanelTimer, 100, HideInputPanelButton);
}

// Creation stopped because the window was closed during a start-up message box.
std::intptr_t AbandonCreation()
{
    plat::SetWaitCursor(false);
    return -1;
}

std::intptr_t OnCreate(plat::Window& window)
{
    CreationFinished = false;
    MainWindow = &window;
    plat::SetWaitCursor(true);
    CreateMenuBar(&window);
    LoadSettings();
    if (!plat::IsWindowAlive(&window))
        return AbandonCreation();
    LoadPack();
    if (!plat::IsWindowAlive(&window))
        return AbandonCreation();
    LoadGlyphs();
    CreateDrawingLayers();
    buildSolidSet(CheckSet, plat::kBlack, kMaskNumbers1, 1);
    Panel.create(&PreviewSet, 3);
    applyAppearance();
    Panel.expanded = GameSettings.previewExpanded != 0;
    Panel.DrawHeader(); // its expand / collapse glyph follows the restored state
    RestoreBoardState();
    Panel.DrawStatusLine();
    for (int i = kTileCount - 1; i >= 0; --i)
        ZOrderList[i]->drawMask(TileMaskLayer.dc);
    RedrawTileLayer(TileSelected);
    if (GameSettings.overlayShown)
        BuildOverlay();
    ComposeBoard(0, 0, kLayerWidth, kLayerHeight);
    RenderScreen(0, 0, kLayerWidth, kLayerHeight);
    ResetHintState();
    plat::SetTimer(&window, kClockTimer, 1000,
                   [](plat::Window* w, int) { ClockTick(w, plat::TickCount()); });
    plat::SetForegroundWindow(&window);
    plat::SetInputPanelButton(false);
    StartInputPanelTimer(&window);
    plat::SetWaitCursor(false);
    CreationFinished = true;
    return 0;
}

void OnDestroy(plat::Window& window)
{
    plat::KillTimer(&window, kClockTimer); // nothing counts while the files are written
    plat::KillTimer(&window, kInputPanelTimer);
    DestroyMenuBar();
    // Only what creation loaded is saved. The quit comes last, so that a save's error box stays
    // up until the player has read it.
    if (CreationFinished) {
        SaveSettings();
        SaveProgress();
    }
    CreationFinished = false;
    MainWindow = nullptr;
    plat::PostQuitMessage(0);
}

void OnActivate(plat::Window& window, int state)
{
    if (state == plat::kActive || state == plat::kClickActive || MessageBoxActive) {
        StartInputPanelTimer(&window);
        return;
    }
    if (ZOrderList[0])
        SelectTile(&window, -1);
    ClockPaused = true;
}

} // namespace

std::intptr_t MainWindowProc(plat::Window& window, const plat::Message& message)
{
    if (!CreationFinished && message.msg != plat::Msg::Create && message.msg != plat::Msg::Destroy)
        return plat::DefaultWindowProc(window, message);
    switch (message.msg) {
    case plat::Msg::Create:
        return OnCreate(window);
    case plat::Msg::Destroy:
        OnDestroy(window);
        return 0;
    case plat::Msg::Activate:
        OnActivate(window, message.id);
        return 0;
    case plat::Msg::Paint:
        PaintMainWindow(&window);
        return 0;
    case plat::Msg::Command:
        if (HandleCommand(&window, message.id))
            return 0;
        break;
    case plat::Msg::PenDown:
        PenDown(&window, message.pt.x, message.pt.y);
        return 0;
    case plat::Msg::PenMove:
        PenMove(&window, message.pt.x, message.pt.y);
        return 0;
    case plat::Msg::PenUp:
        PenUp(&window, message.pt.x, message.pt.y);
        return 0;
    case plat::Msg::KeyDown:
        // F10 opens the "Game " pop-up from the keyboard, as on desktop windows.
        if (message.id == plat::Key::F10 && message.mods == plat::kModNone) {
            OpenGameMenu(true);
            return 0;
        }
        break;
    default:
        break;
    }
    return plat::DefaultWindowProc(window, message);
}

plat::Window* CreateMainWindow()
{
    plat::WindowParams params;
    params.title = std::string(LoadStringResource(kStringTitle));
    params.proc = MainWindowProc;
    // The board's visible part lies between the top bar and the menu bar.
    params.rect = plat::kWorkArea;
    params.background = plat::kWhite;
    return plat::CreateWindow(params);
}
