// Entry point of the game executable: the folder of the game's files, the desktop front end,
// then the game.
#include <cstdio>

#include "app/entry.h"
#include "app/player_folder.h"
#include "app/shell_state.h"
#include "platform/front_end.h"
#include "platform/sdl_front_end.h"
#include "resources/program_icon.h"
#include "resources/strings.h"
#include "ui/dialog_openers.h"

int main()
{
    ProgramDirectory = ChooseProgramDirectory();
    auto icon = LoadProgramIcon(kProgramIconLarge);
    auto frontEnd = plat::CreateSdlFrontEnd(std::string(LoadStringResource(kStringTitle)),
                                            {icon.get(), ProgramDirectory + kWindowPlacementFile});
    if (!frontEnd) {
        std::fputs("Zentiles: no display could be opened.\n", stderr);
        return 1;
    }
    plat::SetFrontEnd(frontEnd.get());
    InstallDialogs();
    int code = ZentilesMain();
    plat::SetFrontEnd(nullptr);
    return code;
}
