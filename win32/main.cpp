// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/accessible_control.h"
#include "win32/puzzle_window.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    try {
        const win32::ComApartment apartment;
        win32::CreatePuzzleWindow(instance, show);
        return win32::RunMessageLoop();
    } catch (const std::exception& error) {
        win32::ReportFatalError(error);
        return 1;
    }
}
