// The dialogs subsystem's start-up: what opens each dialog from the shell's commands and the
// panel's button, and the pictures the dialog templates name.
#pragma once

// Installs the dialog openers (app/commands.h) and the dialogs' picture loader. Called once by the
// program's entry before the game starts.
void InstallDialogs();
