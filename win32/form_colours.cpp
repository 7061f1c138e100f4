// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/form_colours.h"

#include "layout/units.h"
#include "win32/system_error.h"

namespace win32 {

COLORREF ToColorRef(std::uint32_t bgr) {
    const layout::Rgb rgb = layout::FromBgr(bgr);
    return RGB(rgb.red, rgb.green, rgb.blue);
}

FormColours::FormColours() {
    auto add = [this](layout::BackColour back) {
        if (back.isDefault || brushes_.contains(back.bgr))
            return;
        Brush brush(CreateSolidBrush(ToColorRef(back.bgr)));
        if (!brush)
            throw LastError("CreateSolidBrush");
        brushes_.emplace(back.bgr, std::move(brush));
    };
    add(layout::kWindowBack);
    for (const layout::ControlRow& row : layout::kControls)
        add(row.back);
}

HBRUSH FormColours::For(HDC dc, const layout::ControlRow& row) const {
    if (row.back.isDefault) {
        const bool text = row.kind == layout::TextBox || row.kind == layout::ListBox;
        SetTextColor(dc, GetSysColor(text ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
        SetBkColor(dc, GetSysColor(text ? COLOR_WINDOW : COLOR_BTNFACE));
        return GetSysColorBrush(text ? COLOR_WINDOW : COLOR_BTNFACE);
    }
    // On the layout's own light grounds the text is black, the default text colour
    // of the desktop they were chosen on: a high-contrast theme's light text would
    // vanish on them.
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, ToColorRef(row.back.bgr));
    return brushes_.at(row.back.bgr).get();
}

} // namespace win32
