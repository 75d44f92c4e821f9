// Installs the dialogs into the shell.
#include "ui/dialog_openers.h"

#include "app/commands.h"
#include "platform/controls.h"
#include "resources/dialogs.h"
#include "ui/about_box.h"
#include "ui/puzzle_browser.h"
#include "ui/settings_dialog.h"

void InstallDialogs()
{
    DialogOpeners = {RunAboutBox, RunPuzzlesCommand, RunSettingsCommand, OpenBrowserFromPanel};
    plat::SetImageLoader(LoadDialogImage);
}
