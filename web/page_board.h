// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "puzzle/board.h"

namespace page {

// The puzzle's board on the page's elements: the options of the hidden list,
// the texts of the digit boxes and of the counters. It keeps nothing itself.
class PageBoard final : public puzzle::Board {
public:
    std::string ListEntry(std::int16_t position) const override;
    std::string BoxCaption(std::int16_t box) const override;
    void SetBoxCaption(std::int16_t box, const std::string& caption) override;
    std::string CounterText(std::int16_t counter) const override;
    void SetCounterText(std::int16_t counter, const std::string& text) override;
};

} // namespace page
