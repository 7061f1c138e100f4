// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/page_controls.h"

#include "layout/texts.h"
#include "puzzle/digit_sequence.h"

#include <charconv>

namespace page {
namespace {

// "Text2(1)" gives "Text2" and 1; "List1" gives itself and -1.
Control Parse(const layout::ControlRow& row, int member, int creation) {
    std::string_view name = row.control;
    const std::size_t open = name.find('(');
    if (open == std::string_view::npos)
        return {&row, name, -1, creation};
    std::string_view inside = name.substr(open + 1, name.size() - open - 2);
    int index = member;
    if (inside != "k")
        std::from_chars(inside.data(), inside.data() + inside.size(), index);
    return {&row, name.substr(0, open), index, creation};
}

} // namespace

std::vector<Control> Controls() {
    std::vector<Control> controls;
    int creation = 0;
    for (const layout::ControlRow& row : layout::kControls)
        for (int k = row.members - 1; k >= 0; --k)
            controls.push_back(Parse(row, k, ++creation));
    return controls;
}

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
