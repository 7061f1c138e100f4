// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "layout/texts.h"
#include "puzzle/digit_sequence.h"

#include <string>
#include <string_view>

namespace layout {

// What a screen reader calls box `box` (from 0) showing `caption`: its place in
// the row and its digit, the hidden mark as a word.
inline std::string DigitBoxSpokenName(int box, std::string_view caption) {
    std::string name(texts::kDigitBoxSpoken);
    const std::string_view digit =
        caption == puzzle::HiddenMark ? texts::kHiddenDigitSpoken : caption;
    name.replace(name.find("%2"), 2, digit);
    name.replace(name.find("%1"), 2, std::to_string(box + 1));
    return name;
}

} // namespace layout
