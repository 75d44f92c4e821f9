// Import and export of the custom pack: "Load..." and "Save  As..." of the "Custom" pop-up.
#pragma once

#include <string>

namespace plat {
struct Window;
}

// Command 40082: a pack file chosen in the open-file dialog becomes the custom pack, with the
// progress file beside it if the player wants it, and puzzle 0 of it is shown. A file that is not
// a pack is refused with "Load Failed" before anything is replaced.
void LoadCustomPack(plat::Window* window);
// Command 40083: the custom pack and its progress are copied to the name chosen in the
// save-file dialog ("zdb" added to a name without extension) and to the same name with "sdb".
void SaveCustomPackAs(plat::Window* window);
// The progress file that goes with a pack file: its extension (after the last '.' of its last
// path component) replaced by "sdb", or ".sdb" appended when it has none.
std::string SupplementalName(const std::string& packPath);
