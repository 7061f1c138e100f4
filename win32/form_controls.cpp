// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/form_controls.h"

#include "layout/spoken.h"
#include "puzzle/digit_sequence.h"
#include "win32/control_ids.h"
#include "win32/digit_box.h"
#include "win32/dpi.h"
#include "win32/system_error.h"
#include "win32/utf16.h"

#include <algorithm>
#include <stdexcept>

namespace win32 {
namespace {

using namespace layout;

struct WindowKind {
    const wchar_t* windowClass;
    DWORD style;
    DWORD exStyle = 0;
};

bool TakesFocus(const Member& member) {
    return std::ranges::find(kFocusOrder, member.name()) != kFocusOrder.end();
}

// The Windows control that realises a row, with the styles its properties ask for.
WindowKind KindOf(const Member& member, HINSTANCE instance) {
    const ControlRow& row = *member.row;
    DWORD style = WS_CHILD;
    if (!(row.other & kHidden))
        style |= WS_VISIBLE;
    if (TakesFocus(member))
        style |= WS_TABSTOP;
    switch (row.kind) {
    case TextBox:
        if (row.other & kReadOnly)
            style |= ES_READONLY;
        if (row.other & kCentred)
            style |= ES_CENTER;
        // Without ES_AUTOHSCROLL a text of several lines breaks at the box's width.
        style |= (row.other & kMultiLine) ? ES_MULTILINE : ES_AUTOHSCROLL;
        if (row.other & kVerticalScrollBar)
            style |= WS_VSCROLL;
        return {L"EDIT", style, WS_EX_CLIENTEDGE};
    case ListBox:
        // No LBS_SORT: the entries stay in the sequence's order.
        return {L"LISTBOX", style | LBS_NOSEL | LBS_NOINTEGRALHEIGHT | WS_VSCROLL,
                WS_EX_CLIENTEDGE};
    case Frame:
        return {L"BUTTON", style | BS_GROUPBOX};
    case Label:
        if (IsDigitBox(member))
            return {DigitBoxClass(instance), style};
        // A centred label's one line stands in its middle, across and down.
        return {L"STATIC", style | SS_NOPREFIX |
                               ((row.other & kCentred) ? SS_CENTER | SS_CENTERIMAGE : SS_LEFT)};
    case Button:
        // Drawn by the window in its back colour.
        return {L"BUTTON", style | BS_OWNERDRAW};
    }
    throw std::logic_error("unknown control kind");
}

// The frame's corner, from which the boxes in it are measured.
const ControlRow& FrameRow() {
    for (const ControlRow& row : kControls)
        if (row.kind == Frame)
            return row;
    throw std::logic_error("the layout has no frame");
}

// Where `member` stands at `dpi`: each box where the frame's corner and its
// offset in the frame put it.
RECT PlaceAt(const Member& member, UINT dpi) {
    const ControlRow& row = *member.row;
    const ControlRow& frame = FrameRow();
    int left = TwipsAt(member.left(), dpi);
    int top = TwipsAt(row.top, dpi);
    if (row.other & kInFrame) {
        left += TwipsAt(frame.left, dpi);
        top += TwipsAt(frame.top, dpi);
    }
    return {left, top, left + TwipsAt(row.width, dpi), top + TwipsAt(row.height, dpi)};
}

HFONT FontOf(const Member& member, HFONT windowFont, HFONT digitFont) {
    return (member.row->other & kOwnFont) ? digitFont : windowFont;
}

// Made where it stands and with its font: moving, resizing and refonting every
// control afterwards cost some 100 more calls to Wine's server.
HWND CreateControl(const Member& member, HWND form, HINSTANCE instance, UINT dpi, HFONT font) {
    const WindowKind kind = KindOf(member, instance);
    const std::wstring text = Widen(member.row->text);
    const RECT place = PlaceAt(member, dpi);
    const HWND control = CreateWindowExW(
        kind.exStyle, kind.windowClass, text.c_str(), kind.style, place.left, place.top,
        place.right - place.left, place.bottom - place.top, form,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(member))), instance, nullptr);
    if (!control)
        throw LastError("CreateWindowExW");
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (member.row->other & kSequenceEntries)
        for (std::string_view entry : puzzle::DigitSequence) {
            const std::wstring item = Widen(entry);
            const LRESULT added =
                SendMessageW(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
            if (added == LB_ERR || added == LB_ERRSPACE)
                throw std::runtime_error("LB_ADDSTRING: the list took no more entries");
        }
    return control;
}

RECT TwipsOf(const Member& member) {
    const ControlRow& row = *member.row;
    RECT twips{member.left(), row.top, member.left() + row.width, row.top + row.height};
    if (row.other & kInFrame)
        OffsetRect(&twips, FrameRow().left, FrameRow().top);
    return twips;
}

} // namespace

bool IsDigitBox(const Member& member) {
    return member.array == "Label2";
}

FormControls::FormControls(HWND form, HINSTANCE instance, UINT dpi, HFONT windowFont,
                           HFONT digitFont) {
    for (const Member& member : Members())
        controls_.push_back({member, CreateControl(member, form, instance, dpi,
                                                   FontOf(member, windowFont, digitFont))});

    // Windows stacks siblings in the order they were created, and screen readers
    // meet them in that order; they read them as the layout does, top to bottom
    // and left to right. A click where two boxes overlap then reaches the one
    // further left.
    std::vector<Control> reading = controls_;
    std::ranges::stable_sort(reading, [](const Control& a, const Control& b) {
        const RECT ta = TwipsOf(a.member), tb = TwipsOf(b.member);
        return ReadsBefore(ta.top, ta.left, tb.top, tb.left);
    });
    HWND above = HWND_TOP;
    for (const Control& control : reading) {
        if (!SetWindowPos(control.window, above, 0, 0, 0, 0,
                          SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE))
            throw LastError("SetWindowPos");
        above = control.window;
    }
}

HWND FormControls::Find(std::string_view array, int index) const {
    for (const Control& control : controls_)
        if (control.member.array == array && control.member.index == index)
            return control.window;
    return nullptr;
}

HWND FormControls::Find(std::string_view name) const {
    for (const Control& control : controls_)
        if (control.member.name() == name)
            return control.window;
    return nullptr;
}

const Control* FormControls::Of(HWND window) const {
    for (const Control& control : controls_)
        if (control.window == window)
            return &control;
    return nullptr;
}

void FormControls::Place(UINT dpi, HFONT windowFont, HFONT digitFont) const {
    for (const Control& control : controls_) {
        const RECT place = PlaceAt(control.member, dpi);
        if (!SetWindowPos(control.window, nullptr, place.left, place.top, place.right - place.left,
                          place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE))
            throw LastError("SetWindowPos");
        SendMessageW(control.window, WM_SETFONT,
                     reinterpret_cast<WPARAM>(FontOf(control.member, windowFont, digitFont)), TRUE);
    }
}

} // namespace win32
