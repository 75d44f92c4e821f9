// The per-puzzle clock and the solved message.
#include "game/clock.h"

#include <algorithm>

#include "app/layers.h"
#include "app/render.h"
#include "app/shell_state.h"
#include "data/puzzle_pack.h"
#include "data/settings.h"
#include "game/board.h"
#include "game/hints.h"
#include "game/preview_panel.h"
#include "platform/message_box.h"
#include "platform/runtime.h"
#include "platform/window.h"

namespace {

bool HaveTick = false;
std::uint32_t PreviousTick = 0;

// Appends "N unit " with the unit in the singular for 1.
std::string AppendAmount(const std::string& text, int amount, const char* one, const char* many)
{
    return plat::FormatText(amount == 1 ? one : many, {text, amount});
}

std::string AppendTime(std::string text, int s)
{
    if (s == 0)
        return plat::FormatText("%sless than a second solving this puzzle.\n\nYou didn't cheat, did you?", {text});
    if (s <= 14)
        return plat::FormatText("%sless than %d seconds solving this puzzle.\n\nYou didn't cheat, did you?",
                                {text, s + 1});
    if (int hours = s / 3600)
        text = AppendAmount(text, hours, "%s%d hour ", "%s%d hours ");
    if (int minutes = (s % 3600) / 60)
        text = AppendAmount(text, minutes, "%s%d minute ", "%s%d minutes ");
    if (int secs = s % 60)
        text = AppendAmount(text, secs, "%s%d second ", "%s%d seconds ");
    return plat::FormatText("%sworking on this puzzle.", {text});
}

void ShowOwnMessage(plat::Window* window, const std::string& text, const char* caption)
{
    MessageBoxActive = true;
    plat::ShowMessageBox(window, text, caption, plat::MessageIcon::None, plat::MessageButtons::Ok);
    MessageBoxActive = false;
}

bool PackComplete(int current)
{
    int count = PackCount();
    if (count <= 0 || current < 0 || current >= count)
        return false; // the walk would never come back to the current index
    for (int i = (current + 1) % count; i != current; i = (i + 1) % count)
        if (!PuzzlePack.progress[i].solved)
            return false;
    return true;
}

} // namespace

void ResetClock()
{
    HaveTick = false;
    PreviousTick = 0;
}

void ClockTick(plat::Window* window, std::uint32_t now)
{
    if (!HaveTick) {
        HaveTick = true;
        PreviousTick = now;
    }
    ProgressRecord* progress = CurrentPuzzleProgress();
    if (ClockPaused || !progress || progress->solved) {
        PreviousTick = now;
        return;
    }
    std::uint32_t elapsed = now - PreviousTick;
    PreviousTick = now;
    // A damaged file may hold any value: it is brought into range before it grows.
    std::int64_t seconds = std::clamp<std::int64_t>(progress->seconds, 0, kMaxPuzzleSeconds);
    seconds += elapsed / 1000;
    progress->seconds = static_cast<std::int32_t>(std::min<std::int64_t>(seconds, kMaxPuzzleSeconds));
    Panel.DrawStatusLine();
    RenderScreen(0, 0, 0, 0);
    if (window) {
        plat::InvalidateRect(window, Panel.area());
        plat::UpdateWindow(window);
    }
}

std::string SolvedMessageText(int puzzle, int hints, int seconds)
{
    std::string text = plat::FormatText("You've solved Puzzle #%d!\n\n", {puzzle});
    if (hints == 0)
        text = plat::FormatText("%sYou didn't require any hints, and spent ", {text});
    else if (hints == 1)
        text = plat::FormatText("%sYou requested %d hint, and spent ", {text, hints});
    else
        text = plat::FormatText("%sYou requested %d hints, and spent ", {text, hints});
    return AppendTime(text, seconds);
}

void ShowSolvedMessage(plat::Window* window)
{
    ClockPaused = true;
    SelectTile(window, -1);
    ProgressRecord* progress = CurrentPuzzleProgress();
    if (!progress || progress->solved)
        return;
    const std::string text = SolvedMessageText(GameSettings.currentPuzzle, progress->hints, progress->seconds);
    // Recorded before the box: the game may end while it is open, and the solve must be saved.
    progress->solved = 1;
    HintCounter = 7;
    ShowOwnMessage(window, text, "Congratulations!!!!");
    if (PackComplete(GameSettings.currentPuzzle))
        ShowOwnMessage(window,
                       "You have solved all of the puzzles in the current puzzle pack.  You may access "
                       "other puzzle packs using the puzzle browser's drop down menu.",
                       "Puzzle Pack Complete!");
    SetHintMenu(HintsVisible ? kCommandShowHints : kCommandHideHints);
    Panel.DrawStatusLine();
    RenderScreen(0, 0, kLayerWidth, kLayerHeight);
    if (window) {
        plat::InvalidateRect(window);
        plat::UpdateWindow(window);
    }
}
