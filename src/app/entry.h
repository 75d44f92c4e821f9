// The program's entry and the state report used by the scripted driver.
#pragma once

#include <string>

// Runs the game on the installed front end (plat::SetFrontEnd): single instance check, window
// class, main window, message loop. Answers the exit code.
int ZentilesMain();

// One line of JSON describing the game state (the driver's `state` command).
std::string DescribeGameState();
