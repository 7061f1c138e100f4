// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "layout/layout.h"
#include "win32/gdi_object.h"

#include <cstdint>
#include <map>

namespace win32 {

// A colour as the layout writes it (&H00BBGGRR&), as Windows takes it.
COLORREF ToColorRef(std::uint32_t bgr);

// The window's back colours as brushes, made once for the window's life.
class FormColours {
public:
    FormColours();

    HBRUSH Window() const { return brushes_.at(layout::kWindowBack.bgr).get(); }

    // Sets up `dc` to draw the control of `row` (its back and text colours) and
    // gives the brush for its ground. A text box or list without a colour of its
    // own has the system's window colours, anything else without one the system's
    // face colours; on a colour of its own the text is black.
    HBRUSH For(HDC dc, const layout::ControlRow& row) const;

private:
    std::map<std::uint32_t, Brush> brushes_;
};

} // namespace win32
