// Accelerator table 3: keys that send commands to the main window.
#pragma once

#include <span>

#include "platform/window.h"

std::span<const plat::Accelerator> MainAccelerators();
