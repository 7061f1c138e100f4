// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows text floor: a bare window of the program's size showing the
// program's texts in its fonts with stock controls, and nothing else: the
// title, the frame with its caption holding the fifteen digits at 36 pt, two
// push buttons, two read-only text boxes and ":", and the help text in a
// read-only multi-line text box with a scroll bar. It pays for the fonts, the
// text layout and the controls that any window with these texts must pay.
#include "first_frame_probe.h"
#include "layout/layout.h"
#include "layout/texts.h"
#include "layout/units.h"
#include "puzzle/digit_sequence.h"

#include <commctrl.h>
#include <windows.h>

#include <string>
#include <string_view>

namespace {

using layout::TwipsToPixels;

std::wstring Text(std::string_view utf8) {
    std::wstring text(utf8.size(), L'\0');
    text.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                    text.data(), static_cast<int>(text.size())));
    return text;
}

HFONT Font(const layout::Font& font) {
    return CreateFontW(-layout::PointsToPixels(font.points), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                       FALSE, RUSSIAN_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_ROMAN, Text(font.face).c_str());
}

// A stock control where the layout puts the control of the same twips.
HWND Place(HWND parent, const wchar_t* type, std::string_view text, DWORD style, int left, int top,
           int width, int height, HFONT font, DWORD exStyle = 0) {
    HWND control = CreateWindowExW(exStyle, type, Text(text).c_str(), WS_CHILD | WS_VISIBLE | style,
                                   TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                                   TwipsToPixels(height), parent, nullptr, nullptr, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = FloorProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"TextFloor";
    RegisterClassExW(&windowClass);

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    RECT frame{0, 0, TwipsToPixels(layout::kClientWidth), TwipsToPixels(layout::kClientHeight)};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, Text(texts::kCaption).c_str(),
                                  style, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                                  frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    HFONT font = Font(layout::kWindowFont);
    HFONT digitFont = Font(layout::kDigitFont);

    Place(window, WC_STATICW, texts::kTitle, SS_CENTER, 1320, 0, 4575, 375, font);
    Place(window, WC_BUTTONW, texts::kFrameCaption, BS_GROUPBOX, 600, 600, 5895, 1335, font);
    std::string digits; // a row as dealt at offset 0, every box showing its digit
    for (int position = 1; position <= puzzle::kBoxCount; ++position)
        digits += puzzle::DigitSequence[static_cast<std::size_t>(position)];
    Place(window, WC_STATICW, digits, SS_LEFT, 600 + 240, 600 + 360, 5415, 855, digitFont);
    Place(window, WC_BUTTONW, texts::kCheckButton, BS_PUSHBUTTON | WS_TABSTOP, 240, 2160, 1815, 375,
          font);
    Place(window, WC_BUTTONW, texts::kNewRowButton, BS_PUSHBUTTON | WS_TABSTOP, 5160, 2160, 1815,
          375, font);
    for (int left : {2880, 4080})
        Place(window, WC_EDITW, texts::kCounterStart, ES_CENTER | ES_READONLY, left, 2160, 615, 405,
              font, WS_EX_CLIENTEDGE);
    Place(window, WC_STATICW, texts::kScoreSeparator, SS_LEFT, 3600, 2160, 375, 405, font);
    Place(window, WC_EDITW, texts::kHelpText,
          ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP, 240, 2640, 6735,
          2655, font, WS_EX_CLIENTEDGE);

    first_frame::Watch();
    ShowWindow(window, show);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
