// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

namespace win32 {

// The window class of a digit box, registered on first use: its caption centred
// in its own font, on the colours its parent gives it as to a static control
// (WM_CTLCOLORSTATIC). It takes no focus. A left press and release on it is a
// click, told to the parent as BN_CLICKED; the second press of a double click is
// a press like the first, so a double click is two clicks.
const wchar_t* DigitBoxClass(HINSTANCE instance);

} // namespace win32
