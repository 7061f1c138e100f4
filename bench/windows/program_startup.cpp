// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows program exactly as wWinMain starts it, with the first-frame probe.
#include "first_frame_probe.h"
#include "win32/accessible_control.h"
#include "win32/puzzle_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    const win32::ComApartment apartment;
    first_frame::Watch();
    win32::CreatePuzzleWindow(instance, show);
    return win32::RunMessageLoop();
}
