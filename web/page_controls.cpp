// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/page_controls.h"

#include "layout/texts.h"
#include "puzzle/digit_sequence.h"

namespace page {

std::string ElementId(std::string_view array, int index) {
    std::string id(array);
    if (index >= 0)
        id += "_" + std::to_string(index);
    return id;
}

std::string BoxName(int box, std::string_view caption) {
    std::string name(texts::kDigitBoxSpoken);
    const std::string_view digit =
        caption == puzzle::HiddenMark ? texts::kHiddenDigitSpoken : caption;
    name.replace(name.find("%2"), 2, digit);
    name.replace(name.find("%1"), 2, std::to_string(box + 1));
    return name;
}

} // namespace page
