// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "layout/layout.h"
#include "win32/gdi_object.h"

// The layout's fonts as Windows fonts.
namespace win32 {

// `font` at `dpi`, normal weight, with the Cyrillic character set: its face
// where Windows has it, else its metric-compatible fallback.
Font CreateLayoutFont(const layout::Font& font, UINT dpi);

} // namespace win32
