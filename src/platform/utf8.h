// UTF-8 text as the desktop's file names and typed text come: code points, character boundaries
// and the length the handheld's 16-bit characters would give (runtime.h converts whole texts).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

// The code points of the text; a malformed byte stands for U+FFFD.
std::vector<char32_t> DecodeUtf8(std::string_view text);
// Appends the UTF-8 bytes of one code point (U+FFFD for one that has none).
void AppendUtf8(std::string& out, char32_t codePoint);
// How many 16-bit units the text takes (characters beyond U+FFFF take two).
std::size_t Utf16Length(std::string_view text);
// The byte offset where the character before (or after) the one at `at` starts.
std::size_t PreviousCharStart(std::string_view text, std::size_t at);
std::size_t NextCharStart(std::string_view text, std::size_t at);

} // namespace plat
