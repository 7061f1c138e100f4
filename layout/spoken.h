// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "layout/layout.h"
#include "layout/members.h"
#include "layout/texts.h"
#include "puzzle/digit_sequence.h"

#include <string>
#include <string_view>

// What a screen reader says for the controls, and the order it reads them in,
// for every front end.
namespace layout {

struct SpokenRow {
    std::string_view control; // as the layout table names it
    std::string_view name;
    std::string_view description;
};

// The digit boxes are named by DigitBoxSpokenName; every other control is read
// by its own text, or not at all.
// clang-format off
inline constexpr SpokenRow kSpoken[] = {
//   Control        Name                          Description
    {"Label1(0)",   texts::kTitle,                ""},
    {"Frame1",      texts::kFrameCaption,         ""},
    {"Command1(0)", texts::kCheckButton,          texts::kCheckButtonDescription},
    {"Text2(0)",    texts::kCorrectCounterSpoken, ""},
    {"Label1(1)",   texts::kScoreSeparatorSpoken, ""},
    {"Text2(1)",    texts::kWrongCounterSpoken,   ""},
    {"Command1(1)", texts::kNewRowButton,         texts::kNewRowButtonDescription},
    {"Text1(0)",    texts::kHelpTextSpoken,       ""},
};
// clang-format on

constexpr bool EverySpokenControlIsInTheTable() {
    for (const SpokenRow& spoken : kSpoken) {
        bool found = false;
        for (const ControlRow& row : kControls)
            found = found || row.control == spoken.control;
        if (!found)
            return false;
    }
    return true;
}
static_assert(EverySpokenControlIsInTheTable());

// The row of kSpoken for `member`, or nullptr for a control without one.
inline const SpokenRow* SpokenFor(const Member& member) {
    const std::string name = member.name();
    for (const SpokenRow& spoken : kSpoken)
        if (spoken.control == name)
            return &spoken;
    return nullptr;
}

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

// A screen reader reads the controls of one container from top to bottom, and
// from left to right within a row, whatever order they were created in.
constexpr bool ReadsBefore(int topA, int leftA, int topB, int leftB) {
    return topA != topB ? topA < topB : leftA < leftB;
}

} // namespace layout
