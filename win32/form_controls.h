// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "layout/members.h"

#include <windows.h>

#include <string_view>
#include <vector>

namespace win32 {

struct Control {
    layout::Member member;
    HWND window;
};

// Every control of the window, created from the layout table in its order.
class FormControls {
public:
    // Creates the controls on `form`, each at its place at `dpi` with its font and
    // text (the list with the sequence's entries), the hidden ones hidden, and
    // stacks them in the order a screen reader reads them.
    FormControls(HWND form, HINSTANCE instance, UINT dpi, HFONT windowFont, HFONT digitFont);

    // The member `index` of `array` ("Label2", 3), or -1 for a control outside an
    // array; nullptr where there is none.
    HWND Find(std::string_view array, int index) const;
    // The control the layout names so: "Text2(0)", "List1".
    HWND Find(std::string_view name) const;
    const Control* Of(HWND window) const;
    const std::vector<Control>& all() const { return controls_; }

    // Moves every control onto its row of the table at `dpi`, the frame's boxes
    // measured from the frame's corner, and gives each its font.
    void Place(UINT dpi, HFONT windowFont, HFONT digitFont) const;

private:
    std::vector<Control> controls_;
};

// A digit box: the boxes of the row are the label array Label2.
bool IsDigitBox(const layout::Member& member);

} // namespace win32
