// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "layout/texts.h"

#include <array>
#include <cstdint>
#include <string_view>

// The window and its controls as they are created, one row a control, in the
// order of creation: positions and sizes in twips, colours as &H00BBGGRR&.
// Plain data, so that every front end draws the same window from it.
namespace layout {

enum class Kind { TextBox, ListBox, Frame, Label, Button };

enum Other : unsigned {
    kNone = 0,
    kCentred = 1U << 0,
    kReadOnly = 1U << 1,
    kHidden = 1U << 2,
    kMultiLine = 1U << 3,
    kVerticalScrollBar = 1U << 4,
    kNoBorder = 1U << 5,
    kOwnFont = 1U << 6,           // the digit font instead of the window's
    kInFrame = 1U << 7,           // placed in Frame1, measured from its corner
    kSequenceEntries = 1U << 8,   // a list holding the digit sequence, unsorted
};

struct BackColour {
    bool isDefault;
    std::uint32_t bgr;
};
inline constexpr BackColour Default{true, 0};
constexpr BackColour Bgr(std::uint32_t bgr) {
    return {false, bgr};
}

struct ControlRow {
    std::string_view control; // a name ending in "(k)" stands for `members` controls
    Kind kind;
    std::string_view text;
    BackColour back;
    int left, top, width, height;
    unsigned other;
    int members = 1; // of a "(k)" row, created from k = members - 1 down to 0
    int pitch = 0;   // of a "(k)" row, twips from one member's Left to the next
};

struct Font {
    std::string_view face;
    std::string_view fallback; // metric-compatible, where the face is missing
    int points;
};

inline constexpr int kClientWidth = 7215;
inline constexpr int kClientHeight = 5445;
inline constexpr BackColour kWindowBack = Bgr(0x00FFC0C0);
inline constexpr Font kWindowFont{"Times New Roman", "Liberation Serif", 12};
inline constexpr Font kDigitFont{"Times New Roman", "Liberation Serif", 36};

using enum Kind;
// clang-format off
inline constexpr ControlRow kControls[] = {
//   Control      Kind     Text                    Back colour       Left  Top   Width Height Other
    {"Text2(1)",  TextBox, texts::kCounterStart,   Bgr(0x000000FF),  4080, 2160,  615,  405, kCentred | kReadOnly},
    {"Text2(0)",  TextBox, texts::kCounterStart,   Bgr(0x0000FF00),  2880, 2160,  615,  405, kCentred | kReadOnly},
    {"List1",     ListBox, "",                     Default,          6720,  600,  375, 1200, kHidden | kSequenceEntries},
    {"Frame1",    Frame,   texts::kFrameCaption,   Bgr(0x00FFC0C0),   600,  600, 5895, 1335, kNone},
    {"Label2(k)", Label,   texts::kBoxStart,       Bgr(0x00FFFFFF),   240,  360,  375,  855, kInFrame | kCentred | kNoBorder | kOwnFont, 15, 360},
    {"Command1(1)", Button, texts::kNewRowButton,  Bgr(0x000000FF),  5160, 2160, 1815,  375, kNone},
    {"Command1(0)", Button, texts::kCheckButton,   Bgr(0x0000FF00),   240, 2160, 1815,  375, kNone},
    {"Text1(1)",  TextBox, texts::kSaying,         Default,           600, 3960, 6735, 1815, kHidden | kMultiLine | kVerticalScrollBar | kReadOnly},
    {"Text1(0)",  TextBox, texts::kHelpText,       Default,           240, 2640, 6735, 2655, kMultiLine | kVerticalScrollBar | kReadOnly},
    {"Label1(1)", Label,   texts::kScoreSeparator, Bgr(0x0080C0FF),  3600, 2160,  375,  405, kCentred},
    {"Label1(0)", Label,   texts::kTitle,          Bgr(0x0080C0FF),  1320,    0, 4575,  375, kCentred},
};
// clang-format on

// The controls that take the focus, in order; the first has it at start.
inline constexpr std::array<std::string_view, 5> kFocusOrder = {
    "Text1(0)", "Command1(0)", "Command1(1)", "Text2(0)", "Text2(1)"};

} // namespace layout
