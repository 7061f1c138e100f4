// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// Windows takes every text in UTF-16; the layout and the puzzle write UTF-8.
namespace win32 {

// Letter for letter; a text that is not valid UTF-8 (or UTF-16) raises
// std::system_error with Windows' reason.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

} // namespace win32
