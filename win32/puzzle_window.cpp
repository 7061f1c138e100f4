// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/puzzle_window.h"

#include "layout/texts.h"
#include "win32/escaped_exception.h"
#include "win32/puzzle_form.h"
#include "win32/system_error.h"
#include "win32/utf16.h"

#include <commctrl.h>

#include <memory>
#include <stdexcept>

namespace win32 {
namespace {

constexpr wchar_t kClassName[] = L"ChislovaRedicaWindow";
// A fixed single border with a caption and the close box only.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

struct Creation {
    HINSTANCE instance;
    runtime::RandomSource* random;
    std::exception_ptr failure;
};

ATOM windowClass = 0;

PuzzleForm* FormOf(HWND window) {
    if (!window || GetClassLongPtrW(window, GCW_ATOM) != windowClass)
        return nullptr;
    return reinterpret_cast<PuzzleForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        auto& creation =
            *static_cast<Creation*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        try {
            auto form = std::make_unique<PuzzleForm>(window, creation.instance, creation.random);
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form.release()));
            return 0;
        } catch (...) {
            creation.failure = std::current_exception();
            return -1;
        }
    }
    if (message == WM_NCDESTROY) {
        delete FormOf(window);
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    }
    return Guarded([&]() -> LRESULT {
        if (PuzzleForm* form = FormOf(window))
            if (const std::optional<LRESULT> handled = form->Handle(message, wParam, lParam))
                return *handled;
        return DefWindowProcW(window, message, wParam, lParam);
    });
}

ATOM RegisterWindowClass(HINSTANCE instance) {
    WNDCLASSEXW form{};
    form.cbSize = sizeof form;
    form.lpfnWndProc = WindowProcedure;
    form.hInstance = instance;
    form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    form.lpszClassName = kClassName;
    // The window paints its own ground, and takes its icons at its DPI.
    const ATOM atom = RegisterClassExW(&form);
    if (!atom)
        throw LastError("RegisterClassExW");
    return atom;
}

} // namespace

HWND CreatePuzzleWindow(HINSTANCE instance, int show, runtime::RandomSource* random) {
    if (!windowClass) {
        // The controls of common controls 6, which the manifest asks for.
        const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
        if (!InitCommonControlsEx(&controls))
            throw std::runtime_error("InitCommonControlsEx failed");
        windowClass = RegisterWindowClass(instance);
    }
    Creation creation{instance, random, nullptr};
    const std::wstring caption = Widen(texts::kCaption);
    // Windows picks the monitor; the window then sizes and centres itself on it.
    const HWND window =
        CreateWindowExW(0, MAKEINTATOM(windowClass), caption.c_str(), kStyle, CW_USEDEFAULT,
                        CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance, &creation);
    if (creation.failure)
        std::rethrow_exception(creation.failure);
    if (!window)
        throw LastError("CreateWindowExW");
    FormOf(window)->Load();
    ShowWindow(window, show);
    return window;
}

int RunMessageLoop() {
    MSG message{};
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == -1)
            throw LastError("GetMessageW");
        if (!got)
            break;
        PuzzleForm* form =
            message.message == WM_KEYDOWN ? FormOf(GetAncestor(message.hwnd, GA_ROOT)) : nullptr;
        if (form && form->TakeKey(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    RethrowEscaped();
    return static_cast<int>(message.wParam);
}

void ReportFatalError(const std::exception& error) noexcept {
    try {
        const std::wstring message =
            Widen(texts::kErrorUnexpected) + L"\r\n\r\n" + DescribeException(error);
        const std::wstring title = Widen(texts::kShortTitle);
        MessageBoxW(nullptr, message.c_str(), title.c_str(), MB_OK | MB_ICONERROR);
    } catch (...) {
        MessageBoxW(nullptr, L"Unexpected error", nullptr, MB_OK | MB_ICONERROR);
    }
}

} // namespace win32
