// The per-puzzle clock and the solved message.
#pragma once

#include <cstdint>
#include <string>

namespace plat {
struct Window;
}

// Timer 1: adds the whole seconds elapsed since the last tick to the current puzzle while the
// clock runs, then redraws the status line.
void ClockTick(plat::Window* window, std::uint32_t now);
// Forgets the previous tick (tests; a new run starts with none).
void ResetClock();
// The congratulation after the first successful solved check of a puzzle: marks it solved (before
// the box shows, so a close meanwhile keeps the solve) and says so when the whole pack is solved.
void ShowSolvedMessage(plat::Window* window);
// The congratulation text for a puzzle index, hint count and seconds.
std::string SolvedMessageText(int puzzle, int hints, int seconds);
