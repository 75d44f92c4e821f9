// The puzzle browser (dialog 306): every puzzle of the current pack with its thumbnail, number,
// solved mark, time and hints. The player chooses a puzzle, switches packs (the browser closes and
// opens again on the new pack) and resets the progress of one puzzle or of the whole pack.
#pragma once

#include <memory>
#include <string>

#include "platform/bitmap.h"

namespace plat {
struct Window;
}
struct PuzzleRecord;

// Browser state, kept between runs of the dialog.
extern int LastTappedRow; // the last row tapped; -1 for none. OK makes it the current puzzle
extern bool PackChanged;  // the pack was switched since the browser was opened from the board
extern int HeldRow;       // the row under the last tap-and-hold; -1 for none

constexpr int kThumbnailWidth = 35;
constexpr int kThumbnailHeight = 45;

// A puzzle's silhouette drawn with the check set, black on white, centred in 35 x 45; what does
// not fit (a damaged record) is cut at the edges.
std::unique_ptr<plat::Bitmap> MakeThumbnail(const PuzzleRecord& record);
// What row `row` shows in a column: " #%03d", "X" or "-", "hh:mm:ss", the hints.
std::string BrowserCellText(int row, int column);
// Runs dialog 306 modally, again as long as ReopenBrowser is set when it closes.
void RunPuzzleBrowser(plat::Window* owner);
// Command 40016: deselects, runs the browser, then brings overlay, hint counter, status line and
// screen up to date.
void RunPuzzlesCommand(plat::Window* window);
// The panel's puzzle-number button: runs the browser, then the hint state, status line, screen.
void OpenBrowserFromPanel(plat::Window* window);
