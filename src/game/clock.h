// The per-puzzle clock and the solved message.
#pragma once

namespace plat {
struct Window;
}

// The congratulation after the first successful solved check of a puzzle.
void ShowSolvedMessage(plat::Window* window);
