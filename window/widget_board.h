// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "puzzle/board.h"
#include "window/form_controls.h"

namespace window {

// The puzzle's board on the window's real controls: List1, Label2 and Text2.
class WidgetBoard final : public puzzle::Board {
public:
    explicit WidgetBoard(const FormControls& controls) : controls_(controls) {}

    std::string ListEntry(std::int16_t position) const override;
    std::string BoxCaption(std::int16_t box) const override;
    void SetBoxCaption(std::int16_t box, const std::string& caption) override;
    std::string CounterText(std::int16_t counter) const override;
    void SetCounterText(std::int16_t counter, const std::string& text) override;

private:
    const FormControls& controls_;
};

} // namespace window
