// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

namespace win32 {

// Draws an owner-drawn push button flat in its back colour `face`, with a
// raised edge that sinks while it is pressed (its caption moving with it), and
// the focus rectangle while it has the focus and keyboard cues are shown.
void DrawFlatButton(const DRAWITEMSTRUCT& item, HBRUSH face);

} // namespace win32
