// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "win32/gdi_object.h"

namespace win32 {

// The program's icon at `size` pixels square, from the first icon group of its
// own resources, the one Explorer shows; empty where the program has none.
Icon LoadProgramIcon(HINSTANCE instance, int size);

} // namespace win32
