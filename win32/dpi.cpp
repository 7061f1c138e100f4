// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/dpi.h"

#include "layout/units.h"
#include "win32/system_error.h"

namespace win32 {
namespace {

constexpr int kTwipsPerInch = layout::kTwipsPerPixel * USER_DEFAULT_SCREEN_DPI;
constexpr int kPointsPerInch = kTwipsPerInch / layout::kTwipsPerPoint;

// A function of user32 that older Windows lacks, or nullptr there.
template <typename Function> Function FromUser32(const char* name) {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    // The detour through a function without parameters keeps GCC from warning
    // about a cast between incompatible function types.
    return user32 ? reinterpret_cast<Function>(
                        reinterpret_cast<void (*)()>(GetProcAddress(user32, name)))
                  : nullptr;
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);

} // namespace

UINT WindowDpi(HWND window) {
    static const auto getDpiForWindow = FromUser32<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow) {
        if (const UINT dpi = getDpiForWindow(window))
            return dpi;
        throw LastError("GetDpiForWindow");
    }
    const HDC screen = GetDC(nullptr);
    if (!screen)
        throw LastError("GetDC");
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

int TwipsAt(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch);
}

int PointsAt(int points, UINT dpi) {
    return MulDiv(points, static_cast<int>(dpi), kPointsPerInch);
}

RECT WindowRectFor(const RECT& client, DWORD style, DWORD exStyle, UINT dpi) {
    static const auto adjustForDpi =
        FromUser32<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
    RECT rect = client;
    const BOOL done = adjustForDpi ? adjustForDpi(&rect, style, FALSE, exStyle, dpi)
                                   : AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    if (!done)
        throw LastError("AdjustWindowRectEx");
    return rect;
}

int IconSizeAt(int metric, UINT dpi) {
    static const auto metricsForDpi =
        FromUser32<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
    return metricsForDpi ? metricsForDpi(metric, dpi) : GetSystemMetrics(metric);
}

} // namespace win32
