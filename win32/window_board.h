// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "puzzle/board.h"
#include "win32/form_controls.h"

namespace win32 {

// The puzzle's board on the window's controls: List1, Label2 and Text2. Every
// text is read back from its control on every use.
class WindowBoard final : public puzzle::Board {
public:
    explicit WindowBoard(const FormControls& controls) : controls_(controls) {}

    std::string ListEntry(std::int16_t position) const override;
    std::string BoxCaption(std::int16_t box) const override;
    void SetBoxCaption(std::int16_t box, const std::string& caption) override;
    std::string CounterText(std::int16_t counter) const override;
    void SetCounterText(std::int16_t counter, const std::string& text) override;

private:
    HWND Member(std::string_view array, std::int16_t index) const;

    const FormControls& controls_;
};

} // namespace win32
