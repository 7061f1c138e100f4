// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/window_board.h"

#include "runtime/runtime_error.h"
#include "win32/utf16.h"
#include "win32/window_text.h"

namespace win32 {

HWND WindowBoard::Member(std::string_view array, std::int16_t index) const {
    const HWND control = index < 0 ? nullptr : controls_.Find(array, index);
    if (!control)
        throw runtime::NoSuchMember(array, index);
    return control;
}

std::string WindowBoard::ListEntry(std::int16_t position) const {
    const HWND list = controls_.Find("List1", -1);
    // Past either end the list has no item, and the entry reads as empty.
    const auto item = static_cast<WPARAM>(position);
    const LRESULT length = position < 0 ? LB_ERR : SendMessageW(list, LB_GETTEXTLEN, item, 0);
    if (length == LB_ERR)
        return {};
    std::wstring entry(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT read =
        SendMessageW(list, LB_GETTEXT, item, reinterpret_cast<LPARAM>(entry.data()));
    entry.resize(read == LB_ERR ? 0 : static_cast<std::size_t>(read));
    return Narrow(entry);
}

std::string WindowBoard::BoxCaption(std::int16_t box) const {
    return Narrow(TextOf(Member("Label2", box)));
}

void WindowBoard::SetBoxCaption(std::int16_t box, const std::string& caption) {
    const HWND control = Member("Label2", box);
    SetText(control, Widen(caption));
    // A box's spoken name holds its digit; a listening screen reader reads it again.
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
}

std::string WindowBoard::CounterText(std::int16_t counter) const {
    return Narrow(TextOf(Member("Text2", counter)));
}

void WindowBoard::SetCounterText(std::int16_t counter, const std::string& text) {
    // A text box tells a listening screen reader of its new value itself.
    SetText(Member("Text2", counter), Widen(text));
}

} // namespace win32
