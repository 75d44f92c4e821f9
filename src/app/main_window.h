// The main window: its procedure, the creation sequence that brings every subsystem up, the
// activation rule of the clock, and the shut-down that writes the settings and progress.
#pragma once

#include <cstdint>

namespace plat {
struct Window;
struct Message;
}

constexpr int kClockTimer = 1;      // 1000 ms, never stopped
constexpr int kInputPanelTimer = 2; // 100 ms, one shot

std::intptr_t MainWindowProc(plat::Window& window, const plat::Message& message);
// Creates the main window (visible, over the work area); null when it cannot be made.
plat::Window* CreateMainWindow();
