// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/digit_box.h"

#include "win32/escaped_exception.h"
#include "win32/system_error.h"
#include "win32/window_text.h"

#include <windowsx.h>

namespace win32 {
namespace {

constexpr wchar_t kClassName[] = L"ChislovaRedicaDigitBox";
// The box's extra bytes: the font it was given, and whether a press on it waits for its release.
constexpr int kFontSlot = 0;
constexpr int kPressedSlot = sizeof(LONG_PTR);

void Paint(HWND box) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(box, &paint);
    if (!dc)
        throw LastError("BeginPaint");
    auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(box), WM_CTLCOLORSTATIC,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(box)));
    RECT area;
    GetClientRect(box, &area);
    FillRect(dc, &area, brush ? brush : GetSysColorBrush(COLOR_WINDOW));
    const auto font = reinterpret_cast<HFONT>(GetWindowLongPtrW(box, kFontSlot));
    const HGDIOBJ before = font ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    const std::wstring caption = TextOf(box);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &area,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (before)
        SelectObject(dc, before);
    EndPaint(box, &paint);
}

void Release(HWND box, LPARAM at) {
    const bool pressed = GetWindowLongPtrW(box, kPressedSlot);
    SetWindowLongPtrW(box, kPressedSlot, 0);
    if (!pressed)
        return;
    ReleaseCapture();
    // A release beside the box, where the press was dragged off it, is no click.
    RECT area;
    GetClientRect(box, &area);
    if (!PtInRect(&area, POINT{GET_X_LPARAM(at), GET_Y_LPARAM(at)}))
        return;
    SendMessageW(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), BN_CLICKED),
                 reinterpret_cast<LPARAM>(box));
}

LRESULT CALLBACK DigitBoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    return Guarded([&]() -> LRESULT {
        switch (message) {
        case WM_SETFONT:
            SetWindowLongPtrW(box, kFontSlot, static_cast<LONG_PTR>(wParam));
            if (LOWORD(lParam))
                InvalidateRect(box, nullptr, TRUE);
            return 0;
        case WM_GETFONT:
            return GetWindowLongPtrW(box, kFontSlot);
        case WM_SETTEXT: {
            const LRESULT set = DefWindowProcW(box, message, wParam, lParam);
            InvalidateRect(box, nullptr, TRUE);
            return set;
        }
        case WM_NCPAINT:
            // A box has no frame: its window is all client area. Windows would still
            // get a device context for the frame, and Wine asks its server for it.
            return 0;
        case WM_ERASEBKGND:
            return 1; // the whole box is painted in WM_PAINT
        case WM_PAINT:
            Paint(box);
            return 0;
        case WM_LBUTTONDOWN:
            SetCapture(box);
            SetWindowLongPtrW(box, kPressedSlot, 1);
            return 0;
        case WM_LBUTTONUP:
            Release(box, lParam);
            return 0;
        case WM_CAPTURECHANGED:
            SetWindowLongPtrW(box, kPressedSlot, 0);
            return 0;
        }
        return DefWindowProcW(box, message, wParam, lParam);
    });
}

} // namespace

const wchar_t* DigitBoxClass(HINSTANCE instance) {
    static const ATOM registered = [instance] {
        WNDCLASSEXW boxClass{};
        boxClass.cbSize = sizeof boxClass;
        // No CS_DBLCLKS: the second press of a double click comes as a press like the first.
        boxClass.lpfnWndProc = DigitBoxProcedure;
        boxClass.cbWndExtra = 2 * sizeof(LONG_PTR);
        boxClass.hInstance = instance;
        boxClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        boxClass.lpszClassName = kClassName;
        const ATOM atom = RegisterClassExW(&boxClass);
        if (!atom)
            throw LastError("RegisterClassExW");
        return atom;
    }();
    return MAKEINTATOM(registered);
}

} // namespace win32
