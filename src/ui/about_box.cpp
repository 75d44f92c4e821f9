// The About box: stops the clock when it opens and closes with its Done button.
#include "ui/about_box.h"

#include "app/shell_state.h"
#include "game/board.h"
#include "platform/dialog.h"
#include "platform/window.h"
#include "resources/dialogs.h"

void RunAboutBox(plat::Window* window)
{
    plat::RunModalDialog(*LoadDialogResource(kDialogAbout), window, [](plat::Dialog& dialog, const plat::Message& m) {
        if (m.msg == plat::Msg::InitDialog) {
            ClockPaused = true;
            return true;
        }
        if (m.msg == plat::Msg::Command && (m.id == plat::kIdOk || m.id == plat::kIdCancel)) {
            dialog.end(plat::kIdOk);
            return true;
        }
        return false;
    });
    if (plat::IsWindowAlive(window))
        SelectTile(window, -1);
}
