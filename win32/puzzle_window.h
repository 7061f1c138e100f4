// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/random.h"

#include <windows.h>

#include <exception>

namespace win32 {

// Creates the program's window with its controls, centred on the monitor it
// opens on, deals the first row (Form_Load) and shows the window as `show`
// (wWinMain's) asks. Without a random source of its own the window draws from
// the clock-seeded generator. Raises std::system_error where Windows refuses.
HWND CreatePuzzleWindow(HINSTANCE instance, int show, runtime::RandomSource* random = nullptr);

// Runs the thread's messages until the window has been closed; gives the exit
// code. Raises what escaped a window procedure.
int RunMessageLoop();

// Tells the user that the program has to stop, and why.
void ReportFatalError(const std::exception& error) noexcept;

} // namespace win32
