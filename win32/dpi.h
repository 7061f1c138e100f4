// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

// The window's dots per inch, and the layout's twips and points at them. The
// functions that know a window's own DPI came with Windows 10 (1607); on older
// versions the system's DPI stands for every window.
namespace win32 {

UINT WindowDpi(HWND window);

// Twips and points to pixels at `dpi`, rounded to the nearest pixel.
int TwipsAt(int twips, UINT dpi);
int PointsAt(int points, UINT dpi);

// The whole window's rectangle around a client area of `client` at `dpi`, with
// the frame Windows draws at that DPI.
RECT WindowRectFor(const RECT& client, DWORD style, DWORD exStyle, UINT dpi);

// An icon's size in pixels at `dpi`: SM_CXICON or SM_CXSMICON.
int IconSizeAt(int metric, UINT dpi);

} // namespace win32
