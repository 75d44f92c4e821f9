// The desktop front end on SDL2.
#pragma once

#include <memory>
#include <string>

#include "platform/front_end.h"

namespace plat {

// The desktop front end: a host window showing the screen at twice its size. Null when no
// display can be opened.
std::unique_ptr<FrontEnd> CreateSdlFrontEnd(const std::string& title);

} // namespace plat
