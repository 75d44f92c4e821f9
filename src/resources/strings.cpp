// The string table.
#include "resources/strings.h"

namespace {

struct StringEntry {
    int number;
    std::string_view text;
};

constexpr StringEntry kStrings[] = {
    {kStringTitle, "Zentiles"},
    {kStringClassName, "ZENTILES"},
    {kStringGameMenu, "Game "},
};

} // namespace

std::string_view LoadStringResource(int number)
{
    for (const StringEntry& entry : kStrings)
        if (entry.number == number)
            return entry.text;
    return {};
}
