// Run-time services: the millisecond tick count, pseudo-random numbers, "%s"/"%d" formatting
// and the UTF-16 boundary of the settings file.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace plat {

// Milliseconds since an arbitrary start, wrapping at 2^32. Real time unless the virtual clock is on.
std::uint32_t TickCount();
// The virtual clock: stands still until advanced (headless runs and tests).
void UseVirtualClock(bool on);
void AdvanceVirtualClock(std::uint32_t milliseconds);

// Pseudo-random 31-bit numbers; seeded from the time at start, re-seedable for tests.
std::uint32_t Random();
void SeedRandom(std::uint32_t seed);

// printf-style formatting for the game's texts: %s, %d with optional 0 flag and width, %%.
using FormatArg = std::variant<int, std::string_view>;
std::string FormatText(std::string_view format, std::initializer_list<FormatArg> args);

std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);

} // namespace plat
