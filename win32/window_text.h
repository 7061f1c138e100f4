// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace win32 {

// A window's text as the window holds it, read back on every call.
std::wstring TextOf(HWND window);
void SetText(HWND window, std::wstring_view text);

} // namespace win32
