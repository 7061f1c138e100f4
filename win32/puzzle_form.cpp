// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/puzzle_form.h"

#include "layout/handler_guard.h"
#include "layout/spoken.h"
#include "layout/texts.h"
#include "win32/accessible_control.h"
#include "win32/dpi.h"
#include "win32/flat_button.h"
#include "win32/fonts.h"
#include "win32/program_icon.h"
#include "win32/system_error.h"
#include "win32/utf16.h"

#include <algorithm>

namespace win32 {

PuzzleForm::PuzzleForm(HWND window, HINSTANCE instance, runtime::RandomSource* random)
    : window_(window), instance_(instance),
      ownRandom_(random ? nullptr : std::make_unique<runtime::Generator>()),
      dpi_(WindowDpi(window)), windowFont_(CreateLayoutFont(layout::kWindowFont, dpi_)),
      digitFont_(CreateLayoutFont(layout::kDigitFont, dpi_)),
      controls_(window, instance, dpi_, windowFont_.get(), digitFont_.get()), board_(controls_),
      puzzle_(board_, random ? *random : *ownRandom_),
      lastFocus_(controls_.Find(layout::kFocusOrder.front())) {
    ApplyIcons();
    SizeAndCentre();
    MakeControlsSpoken();
}

void PuzzleForm::Load() {
    Run([this] { puzzle_.Form_Load(); });
}

std::optional<LRESULT> PuzzleForm::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(window_, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, colours_.Window());
        return 1;
    }
    case WM_CTLCOLORSTATIC: // labels, the frame, the boxes and the read-only text boxes
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        if (const Control* control = controls_.Of(reinterpret_cast<HWND>(lParam)))
            return reinterpret_cast<LRESULT>(
                colours_.For(reinterpret_cast<HDC>(wParam), *control->member.row));
        break;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (const Control* control = controls_.Of(item.hwndItem)) {
            DrawFlatButton(item, colours_.For(item.hDC, *control->member.row));
            return TRUE;
        }
        break;
    }
    case WM_COMMAND:
        Command(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return 0;
    case WM_ACTIVATE:
        // Windows would give the focus to the window itself when it comes back;
        // the control that had it gets it again.
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus && IsChild(window_, focus))
                lastFocus_ = focus;
            return 0;
        }
        if (HIWORD(wParam)) // minimised
            break;
        SetFocus(lastFocus_);
        return 0;
    case WM_SETFOCUS:
        SetFocus(lastFocus_);
        return 0;
    case WM_GETDPISCALEDSIZE: {
        // Moving to a monitor of another DPI: the client area keeps the layout's size there.
        const RECT outer = WindowRectAt(static_cast<UINT>(wParam));
        auto& size = *reinterpret_cast<SIZE*>(lParam);
        size = {outer.right - outer.left, outer.bottom - outer.top};
        return TRUE;
    }
    case WM_DPICHANGED: {
        ApplyDpi(HIWORD(wParam));
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        if (!SetWindowPos(window_, nullptr, suggested.left, suggested.top,
                          suggested.right - suggested.left, suggested.bottom - suggested.top,
                          SWP_NOZORDER | SWP_NOACTIVATE))
            throw LastError("SetWindowPos");
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return std::nullopt;
}

bool PuzzleForm::TakeKey(const MSG& message) {
    if (message.message != WM_KEYDOWN)
        return false;
    if (message.wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0) {
        MoveFocus(GetKeyState(VK_SHIFT) < 0);
        return true;
    }
    if (message.wParam == VK_RETURN) {
        const HWND focus = GetFocus();
        const Control* control = controls_.Of(focus);
        if (control && control->member.row->kind == layout::Button) {
            Command(focus, BN_CLICKED);
            return true;
        }
    }
    return false;
}

RECT PuzzleForm::WindowRectAt(UINT dpi) const {
    const RECT client{0, 0, TwipsAt(layout::kClientWidth, dpi),
                      TwipsAt(layout::kClientHeight, dpi)};
    return WindowRectFor(client, static_cast<DWORD>(GetWindowLongW(window_, GWL_STYLE)),
                         static_cast<DWORD>(GetWindowLongW(window_, GWL_EXSTYLE)), dpi);
}

// The whole window, frame included, centred on the work area of the monitor it opens on.
void PuzzleForm::SizeAndCentre() {
    const RECT outer = WindowRectAt(dpi_);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor))
        throw LastError("GetMonitorInfoW");
    const RECT& work = monitor.rcWork;
    // On a screen too small for it the caption stays in reach.
    const int left = std::max(work.left, work.left + (work.right - work.left - width) / 2);
    const int top = std::max(work.top, work.top + (work.bottom - work.top - height) / 2);
    if (!SetWindowPos(window_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE))
        throw LastError("SetWindowPos");
}

// Every control, font and icon from the layout at `dpi`. The old fonts go once
// the controls hold the new ones.
void PuzzleForm::ApplyDpi(UINT dpi) {
    dpi_ = dpi;
    Font windowFont = CreateLayoutFont(layout::kWindowFont, dpi);
    Font digitFont = CreateLayoutFont(layout::kDigitFont, dpi);
    controls_.Place(dpi, windowFont.get(), digitFont.get());
    windowFont_.swap(windowFont);
    digitFont_.swap(digitFont);
    ApplyIcons();
}

// The window's icons at its DPI; the old ones go once the window holds the new.
void PuzzleForm::ApplyIcons() {
    Icon big = LoadProgramIcon(instance_, IconSizeAt(SM_CXICON, dpi_));
    Icon small = LoadProgramIcon(instance_, IconSizeAt(SM_CXSMICON, dpi_));
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    bigIcon_.swap(big);
    smallIcon_.swap(small);
}

void PuzzleForm::MakeControlsSpoken() const {
    for (const Control& control : controls_.all()) {
        if (IsDigitBox(control.member))
            MakeSpoken(control.window, {{}, {}, control.member.index});
        else if (const layout::SpokenRow* spoken = layout::SpokenFor(control.member))
            MakeSpoken(control.window, {Widen(spoken->name), Widen(spoken->description)});
    }
}

// A click on a box, a button pressed by click, Space or Enter, and the second
// click of a double click on a button, which an owner-drawn button tells apart.
void PuzzleForm::Command(HWND from, WORD code) {
    const Control* control = controls_.Of(from);
    if (!control)
        return;
    const auto index = static_cast<std::int16_t>(control->member.index);
    if (IsDigitBox(control->member) && code == BN_CLICKED)
        Run([this, index] { puzzle_.Label2_Click(index); });
    else if (control->member.row->kind == layout::Button &&
             (code == BN_CLICKED || code == BN_DOUBLECLICKED))
        Run([this, index] { puzzle_.Command1_Click(index); });
}

void PuzzleForm::MoveFocus(bool backwards) {
    const auto& order = layout::kFocusOrder;
    const auto count = static_cast<int>(order.size());
    const HWND focus = GetFocus();
    int at = -1;
    for (int k = 0; k < count; ++k)
        if (controls_.Find(order[static_cast<std::size_t>(k)]) == focus)
            at = k;
    const int next =
        at < 0 ? (backwards ? count - 1 : 0) : (at + (backwards ? count - 1 : 1)) % count;
    SetFocus(controls_.Find(order[static_cast<std::size_t>(next)]));
    // The keyboard is in use: buttons show their focus rectangle from now on.
    SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

// A handler that fails stops where it failed; the user is told and the window
// carries on with whatever the handler had done.
template <typename Handler> void PuzzleForm::Run(Handler handler) {
    std::optional<std::string_view> failure;
    layout::RunHandler(handler, [&failure](std::string_view what) { failure = what; });
    if (failure)
        ReportError(*failure);
}

void PuzzleForm::ReportError(std::string_view what) {
    const std::wstring message = Widen(what) + L"\r\n\r\n" + Widen(texts::kErrorCarryOn);
    const std::wstring title = Widen(texts::kShortTitle);
    if (!MessageBoxW(window_, message.c_str(), title.c_str(), MB_OK | MB_ICONWARNING))
        throw LastError("MessageBoxW");
}

} // namespace win32
