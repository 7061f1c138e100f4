// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "puzzle/puzzle.h"
#include "runtime/random.h"
#include "win32/form_colours.h"
#include "win32/form_controls.h"
#include "win32/gdi_object.h"
#include "win32/window_board.h"

#include <memory>
#include <optional>
#include <string_view>

namespace win32 {

// The program's one window, made on `window` while Windows creates it: its
// controls at the window's DPI, the window sized and centred on its monitor.
// It deals the first row when it has loaded and passes the clicks on the boxes
// and buttons to the puzzle.
class PuzzleForm {
public:
    // Without a random source of its own the window draws from the clock-seeded generator.
    PuzzleForm(HWND window, HINSTANCE instance, runtime::RandomSource* random);
    PuzzleForm(const PuzzleForm&) = delete;
    PuzzleForm& operator=(const PuzzleForm&) = delete;

    // The window has loaded: Form_Load deals the first row.
    void Load();

    // A message to the window; nothing where Windows' own handling stands.
    std::optional<LRESULT> Handle(UINT message, WPARAM wParam, LPARAM lParam);

    // A key pressed in the window, before the control with the focus sees it:
    // Tab and Shift+Tab move the focus in the layout's order, Enter presses the
    // button that has the focus. Whether the key was taken.
    bool TakeKey(const MSG& message);

private:
    RECT WindowRectAt(UINT dpi) const;
    void SizeAndCentre();
    void ApplyDpi(UINT dpi);
    void ApplyIcons();
    void MakeControlsSpoken() const;
    void Command(HWND from, WORD code);
    void MoveFocus(bool backwards);
    template <typename Handler> void Run(Handler handler);
    void ReportError(std::string_view what);

    HWND window_;
    HINSTANCE instance_;
    std::unique_ptr<runtime::RandomSource> ownRandom_;
    UINT dpi_;
    Font windowFont_;
    Font digitFont_;
    FormControls controls_;
    WindowBoard board_;
    puzzle::Puzzle puzzle_;
    FormColours colours_;
    Icon bigIcon_;
    Icon smallIcon_;
    HWND lastFocus_; // the control that has the focus while the window is active
};

} // namespace win32
