// The program's entry: one copy per program folder, the main window, the message loop; and the
// state report the scripted driver prints.
#include "app/entry.h"

#include <cstdio>
#include <sstream>

#include "app/main_window.h"
#include "app/player_folder.h"
#include "app/shell_hooks.h"
#include "app/screen_state.h"
#include "app/shell_state.h"
#include "data/puzzle_pack.h"
#include "data/settings.h"
#include "game/preview_panel.h"
#include "game/solved_check.h"
#include "platform/files.h"
#include "platform/menu.h"
#include "platform/single_instance.h"
#include "platform/window.h"
#include "resources/accelerators.h"
#include "resources/command_ids.h"
#include "tiles/tile_set.h"

int ZentilesMain()
{
    if (ProgramDirectory.empty())
        ProgramDirectory = plat::ExecutableFolder();
    if (!plat::ClaimSingleInstance(ProgramDirectory)) {
        // Said out loud: a copy nobody can see (started without a display) would look like this.
        std::fprintf(stderr, "Zentiles already runs for %s; it was asked to come forward.\n",
                     ProgramDirectory.c_str());
        return 0;
    }
    // This copy owns the folder now: temporaries of a save that was killed are only litter.
    plat::RemoveStaleTemporaries(ProgramDirectory);
    InstallShellHooks();
    plat::StartWindowSystem();
    FillPlayerFolder(); // an installed copy: what the player's folder lacks of the shipped files
    plat::Window* window = CreateMainWindow();
    int exitCode = 0;
    if (window) {
        plat::UpdateWindow(window);
        exitCode = plat::RunMessageLoop(MainAccelerators());
    }
    plat::StopWindowSystem();
    plat::ReleaseSingleInstance();
    return exitCode;
}

namespace {

const char* Bool(bool b) { return b ? "true" : "false"; }

std::string Quoted(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

// The entries of a pop-up as a JSON list of {text, command, greyed, items}; a separator is
// {"text":""}.
void DescribeMenu(std::ostringstream& out, const plat::Menu* menu)
{
    out << "[";
    for (std::size_t i = 0; menu && i < menu->items.size(); ++i) {
        const plat::MenuItem& item = menu->items[i];
        out << (i ? "," : "") << "{\"text\":" << Quoted(item.text);
        if (!item.isSeparator()) {
            out << ",\"command\":" << item.command << ",\"greyed\":" << Bool(item.greyed);
            if (item.popup) {
                out << ",\"items\":";
                DescribeMenu(out, item.popup.get());
            }
        }
        out << "}";
    }
    out << "]";
}

void DescribePanel(std::ostringstream& out)
{
    out << ",\"panel\":{\"x\":" << Panel.x << ",\"y\":" << Panel.y << ",\"width\":" << Panel.width
        << ",\"bodyHeight\":" << Panel.bodyHeight << ",\"expanded\":" << Bool(Panel.expanded)
        << ",\"editMode\":" << Bool(Panel.editMode) << ",\"puzzleNumber\":" << Panel.puzzleNumber
        << "}";
    const ProgressRecord* progress = CurrentPuzzleProgress();
    if (progress)
        out << ",\"progress\":{\"solved\":" << Bool(progress->solved != 0)
            << ",\"seconds\":" << progress->seconds << ",\"hints\":" << int(progress->hints) << "}";
    else
        out << ",\"progress\":null";
    out << ",\"hintCounter\":" << HintCounter << ",\"hintsVisible\":" << Bool(HintsVisible)
        << ",\"overlayShown\":" << Bool(GameSettings.overlayShown != 0) << ",\"menu\":";
    DescribeMenu(out, plat::MenuBarSubMenu(MenuBar, kCommandGameMenu));
}

} // namespace

std::string DescribeGameState()
{
    std::ostringstream out;
    bool havePuzzle = GameSettings.currentPuzzle >= 0 && GameSettings.currentPuzzle < PackCount();
    bool haveBoard = PlaySet.sprites[0] && CheckSet.sprites[0];
    out << "{\"pack\":" << GameSettings.currentPack << ",\"puzzle\":" << GameSettings.currentPuzzle
        << ",\"count\":" << PackCount() << ",\"selected\":" << Bool(TileSelected)
        << ",\"clockPaused\":" << Bool(ClockPaused) << ",\"tilesAtHome\":" << Bool(TilesAtHome)
        << ",\"messageBoxActive\":" << Bool(MessageBoxActive)
        << ",\"solved\":" << Bool(havePuzzle && haveBoard && IsPuzzleSolved()) << ",\"tiles\":[";
    for (int i = 0; i < kTileCount && haveBoard; ++i) {
        const TileSprite& t = PlaySet[i];
        out << (i ? "," : "") << "{\"index\":" << i << ",\"x\":" << t.x << ",\"y\":" << t.y
            << ",\"orientation\":" << t.orientation << ",\"mirrored\":" << Bool(t.mirrored) << "}";
    }
    out << "],\"zorder\":[";
    for (int i = 0; i < kTileCount && haveBoard; ++i)
        out << (i ? "," : "") << ZOrderList[i]->tileIndex;
    out << "]";
    DescribePanel(out);
    out << DescribeScreenState() << "}";
    return out.str();
}
