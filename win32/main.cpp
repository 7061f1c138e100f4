// SPDX-License-Identifier: GPL-3.0-or-later
// The cross-build's first step: the core links into a Windows program. The
// window comes next.
#include "puzzle/puzzle.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return 0;
}
