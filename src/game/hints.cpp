// Hint state. Revealing tiles and the overlay come with the hint commands; until then no hint is
// shown, so the highlight and the overlay stay empty.
#include "game/hints.h"

#include "app/shell_state.h"
#include "data/puzzle_pack.h"
#include "data/settings.h"

void RefreshHintHighlight()
{
}

void BuildOverlay()
{
}

void ResetHintState()
{
    HintsVisible = false;
    int index = GameSettings.currentPuzzle;
    if (index < 0 || index >= kProgressRecordCount) {
        HintCounter = -1;
        return;
    }
    const ProgressRecord& progress = PuzzlePack.progress[index];
    HintCounter = progress.solved ? 7 : progress.hints - 1;
}
