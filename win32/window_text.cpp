// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/window_text.h"

#include "win32/system_error.h"

namespace win32 {

std::wstring TextOf(HWND window) {
    // The length may be larger than the text (never smaller), so the text read is kept.
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

void SetText(HWND window, std::wstring_view text) {
    const std::wstring terminated(text);
    if (!SetWindowTextW(window, terminated.c_str()))
        throw LastError("SetWindowTextW");
}

} // namespace win32
