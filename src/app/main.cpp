// Entry point of the game executable: the desktop front end, then the game.
#include <cstdio>

#include "app/entry.h"
#include "platform/front_end.h"
#include "platform/sdl_front_end.h"
#include "resources/strings.h"
#include "ui/dialog_openers.h"

int main()
{
    auto frontEnd = plat::CreateSdlFrontEnd(std::string(LoadStringResource(kStringTitle)));
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
