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
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    if (row.back.isDefault) {
        const int system = (row.kind == layout::TextBox || row.kind == layout::ListBox)
                               ? COLOR_WINDOW
                               : COLOR_BTNFACE;
        SetBkColor(dc, GetSysColor(system));
        return GetSysColorBrush(system);
    }
    SetBkColor(dc, ToColorRef(row.back.bgr));
    return brushes_.at(row.back.bgr).get();
}

} // namespace win32
