// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/flat_button.h"

#include "win32/window_text.h"

namespace win32 {

void DrawFlatButton(const DRAWITEMSTRUCT& item, HBRUSH face) {
    const HDC dc = item.hDC;
    RECT area = item.rcItem;
    const bool pressed = item.itemState & ODS_SELECTED;
    FillRect(dc, &area, face);
    DrawEdge(dc, &area, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    RECT caption = area;
    InflateRect(&caption, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
    if (pressed)
        OffsetRect(&caption, 1, 1);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
    const HGDIOBJ before = font ? SelectObject(dc, font) : nullptr;
    // In the text colour that goes with the face, which the caller has set.
    SetBkMode(dc, TRANSPARENT);
    const std::wstring text = TextOf(item.hwndItem);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &caption,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (before)
        SelectObject(dc, before);

    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
        RECT focus = area;
        InflateRect(&focus, -(GetSystemMetrics(SM_CXEDGE) + 1), -(GetSystemMetrics(SM_CYEDGE) + 1));
        DrawFocusRect(dc, &focus);
    }
}

} // namespace win32
