// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the running program's window from outside, as a screen reader or a
// test tool would, and prints what it finds in UTF-8, one fact a line, fields
// separated by tabs:
//   window_probe serve         answers the questions below from standard input, one a line
//   window_probe state         the window and every control, with its text and place in the layout
//   window_probe spoken        the same, and what screen readers read for each control
//   window_probe set NAME TEXT sets a control's text, as no user can
//   window_probe message       the message box the window shows, if any
// Exits 2 where the window is not shown (yet).
#include "layout/members.h"
#include "layout/texts.h"
#include "layout/units.h"
#include "win32/control_ids.h"
#include "win32/utf16.h"

#include <windows.h>

#include <oleacc.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

void Print(const std::wstring& line) {
    const std::string utf8 = win32::Narrow(line) + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()),
              &written, nullptr);
}

// Line breaks shown as \r and \n, so that a text stays on its line.
std::wstring Escaped(const std::wstring& text) {
    std::wstring escaped;
    for (wchar_t c : text)
        escaped += c == L'\r'   ? L"\\r"
                   : c == L'\n' ? L"\\n"
                   : c == L'\t' ? L"\\t"
                                : std::wstring(1, c);
    return escaped;
}

// WM_GETTEXT reaches a control of another process; GetWindowText would not.
std::wstring TextOf(HWND control) {
    const auto length = SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

std::wstring Rect(const RECT& r) {
    return std::to_wstring(r.left) + L"\t" + std::to_wstring(r.top) + L"\t" +
           std::to_wstring(r.right - r.left) + L"\t" + std::to_wstring(r.bottom - r.top);
}

// Where the layout table puts a control at 96 dpi, in the window's client area:
// a box in the frame measured from the frame's corner.
std::wstring TableRect(const layout::Member& member) {
    const layout::ControlRow& row = *member.row;
    int left = member.left(), top = row.top;
    if (row.other & layout::kInFrame)
        for (const layout::ControlRow& frame : layout::kControls)
            if (frame.kind == layout::Frame) {
                left += frame.left;
                top += frame.top;
            }
    using layout::TwipsToPixels;
    const int x = TwipsToPixels(left), y = TwipsToPixels(top);
    return Rect({x, y, x + TwipsToPixels(row.width), y + TwipsToPixels(row.height)});
}

std::wstring NameOf(HWND window, HWND control) {
    if (!control)
        return L"-";
    for (const layout::Member& member : layout::Members())
        if (GetDlgItem(window, win32::ControlId(member)) == control)
            return win32::Widen(member.name());
    return L"?";
}

template <typename Read> std::wstring Accessible(IAccessible* object, Read read) {
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    if (FAILED(read(object, self, &text)) || !text)
        return L"-";
    std::wstring result(text, SysStringLen(text));
    SysFreeString(text);
    return Escaped(result);
}

// What Microsoft Active Accessibility gives a screen reader for `control`:
// role, state, name, value, description and default action.
std::wstring Spoken(HWND control) {
    IAccessible* object = nullptr;
    const HRESULT found = AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible),
                                                     reinterpret_cast<void**>(&object));
    if (FAILED(found)) {
        wchar_t code[16];
        swprintf(code, 16, L"%08lx", static_cast<unsigned long>(found));
        return std::wstring(L"failed ") + code;
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role{}, state{};
    object->get_accRole(self, &role);
    object->get_accState(self, &state);
    std::wstring line = std::to_wstring(role.vt == VT_I4 ? role.lVal : -1) + L"\t" +
                        std::to_wstring(state.vt == VT_I4 ? state.lVal : -1);
    line += L"\t" + Accessible(object, [](IAccessible* a, VARIANT c, BSTR* t) {
                return a->get_accName(c, t);
            });
    line += L"\t" + Accessible(object, [](IAccessible* a, VARIANT c, BSTR* t) {
                return a->get_accValue(c, t);
            });
    line += L"\t" + Accessible(object, [](IAccessible* a, VARIANT c, BSTR* t) {
                return a->get_accDescription(c, t);
            });
    line += L"\t" + Accessible(object, [](IAccessible* a, VARIANT c, BSTR* t) {
                return a->get_accDefaultAction(c, t);
            });
    object->Release();
    return line;
}

int State(HWND window, bool spoken) {
    RECT outer, client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    Print(L"window\t" + Rect(outer));
    Print(L"client\t" + Rect(client));
    Print(L"work\t" + Rect(monitor.rcWork));
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
    Print(L"focus\t" + NameOf(window, thread.hwndFocus));

    for (const layout::Member& member : layout::Members()) {
        const HWND control = GetDlgItem(window, win32::ControlId(member));
        const std::wstring name = win32::Widen(member.name());
        if (!control) {
            Print(L"missing\t" + name);
            continue;
        }
        RECT at;
        GetWindowRect(control, &at);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&at), 2);
        // The text the control holds, and the text and place the layout table
        // gives it at 96 dpi.
        Print(L"control\t" + name + L"\t" + (IsWindowVisible(control) ? L"1" : L"0") + L"\t" +
              Rect(at) + L"\t" + Escaped(TextOf(control)) + L"\t" +
              Escaped(win32::Widen(member.row->text)) + L"\t" + TableRect(member));
        if (spoken)
            Print(L"spoken\t" + name + L"\t" + Spoken(control));
        wchar_t kind[64] = {};
        GetClassNameW(control, kind, 64);
        if (std::wstring(kind) == L"ListBox" || std::wstring(kind) == L"LISTBOX") {
            const LRESULT count = SendMessageW(control, LB_GETCOUNT, 0, 0);
            std::wstring entries = L"entries\t" + name + L"\t";
            for (LRESULT k = 0; k < count; ++k) {
                wchar_t entry[16] = {};
                if (SendMessageW(control, LB_GETTEXTLEN, static_cast<WPARAM>(k), 0) < 16)
                    SendMessageW(control, LB_GETTEXT, static_cast<WPARAM>(k),
                                 reinterpret_cast<LPARAM>(entry));
                entries += entry;
            }
            Print(entries);
        }
    }
    return 0;
}

int Set(HWND window, const std::wstring& name, const std::wstring& text) {
    for (const layout::Member& member : layout::Members())
        if (win32::Widen(member.name()) == name) {
            SendMessageW(GetDlgItem(window, win32::ControlId(member)), WM_SETTEXT, 0,
                         reinterpret_cast<LPARAM>(text.c_str()));
            return 0;
        }
    Print(L"no control " + name);
    return 1;
}

// A message box the window shows: a dialog of the window's thread that it owns.
BOOL CALLBACK FindOwned(HWND candidate, LPARAM found) {
    auto& box = *reinterpret_cast<std::pair<HWND, HWND>*>(found);
    wchar_t kind[16] = {};
    GetClassNameW(candidate, kind, 16);
    if (std::wstring(kind) == L"#32770" && GetWindow(candidate, GW_OWNER) == box.first &&
        IsWindowVisible(candidate)) {
        box.second = candidate;
        return FALSE;
    }
    return TRUE;
}

int Message(HWND window) {
    std::pair<HWND, HWND> found{window, nullptr};
    EnumThreadWindows(GetWindowThreadProcessId(window, nullptr), FindOwned,
                      reinterpret_cast<LPARAM>(&found));
    const HWND box = found.second;
    if (!box)
        return 2;
    std::wstring texts;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t kind[64] = {};
        GetClassNameW(child, kind, 64);
        if (std::wstring(kind) == L"Static")
            texts += Escaped(TextOf(child));
    }
    Print(L"message\t" + TextOf(box) + L"\t" + texts);
    return 0;
}

int Answer(const std::vector<std::wstring>& words) {
    const std::wstring command = words.empty() ? L"state" : words[0];
    const HWND window = FindWindowW(nullptr, win32::Widen(texts::kCaption).c_str());
    // The window shows once its first row is dealt.
    if (!window || !IsWindowVisible(window))
        return 2;
    if (command == L"state" || command == L"spoken")
        return State(window, command == L"spoken");
    if (command == L"set" && words.size() == 3)
        return Set(window, words[1], words[2]);
    if (command == L"message")
        return Message(window);
    Print(L"usage: window_probe [serve | state | spoken | set NAME TEXT | message]");
    return 1;
}

// Questions from standard input, one a line, words separated by tabs; each
// answer ends with a line "end", a tab and what the question exits with.
// Starting Wine takes longer than any question.
int Serve() {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    std::string line;
    char c;
    DWORD read = 0;
    while (ReadFile(input, &c, 1, &read, nullptr) && read == 1) {
        if (c != '\n') {
            line += c;
            continue;
        }
        std::vector<std::wstring> words;
        for (std::size_t start = 0; start <= line.size();) {
            const std::size_t tab = std::min(line.find('\t', start), line.size());
            words.push_back(win32::Widen(std::string_view(line).substr(start, tab - start)));
            start = tab + 1;
        }
        Print(L"end\t" + std::to_wstring(Answer(words)));
        line.clear();
    }
    return 0;
}

} // namespace

// Rectangles in the screen's own pixels, whatever DPI the program runs at: a
// probe that Windows (or Wine 9 and later) took for DPI-unaware would be given
// them scaled to 96 dpi. The newer call where Windows has it.
void SeeRealPixels() {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    using SetContext = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
    const auto setContext = reinterpret_cast<SetContext>(
        reinterpret_cast<void (*)()>(GetProcAddress(user32, "SetProcessDpiAwarenessContext")));
    if (!setContext || (!setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2) &&
                        !setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE)))
        SetProcessDPIAware();
}

int wmain(int argc, wchar_t** argv) {
    SeeRealPixels();
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (argc == 2 && std::wstring(argv[1]) == L"serve")
        return Serve();
    return Answer(std::vector<std::wstring>(argv + 1, argv + argc));
}
