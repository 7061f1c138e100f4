// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <string>

// What screen readers (Narrator, NVDA) read for a control, through Microsoft
// Active Accessibility: the control's standard accessible object, with the
// layout's name and description in place of its own.
namespace win32 {

struct Spoken {
    std::wstring name;        // empty: the control's own
    std::wstring description; // empty: the control's own
    int box = -1; // a digit box's place in the row: then named by it and its caption, and
                  // read and pressed as a push button
};

// From now until `control` is destroyed, screen readers meet it so.
void MakeSpoken(HWND control, const Spoken& spoken);

// The thread's COM apartment, through which screen readers reach the controls.
class ComApartment {
public:
    ComApartment();
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
};

} // namespace win32
