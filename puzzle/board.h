// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace puzzle {

// The controls that hold the puzzle's state, as the logic sees them: all state
// is text in controls, read back and converted on every use. Implementations
// raise runtime::RuntimeError for a box or counter index they do not have.
class Board {
public:
    virtual ~Board() = default;

    // The entry of the hidden sequence list at `position`; empty past its end.
    virtual std::string ListEntry(std::int16_t position) const = 0;

    // The caption of digit box `box`, 0 to 14.
    virtual std::string BoxCaption(std::int16_t box) const = 0;
    virtual void SetBoxCaption(std::int16_t box, const std::string& caption) = 0;

    // The text of score counter `counter`: 0 correct, 1 wrong.
    virtual std::string CounterText(std::int16_t counter) const = 0;
    virtual void SetCounterText(std::int16_t counter, const std::string& text) = 0;
};

} // namespace puzzle
