// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "layout/members.h"

#include <string>
#include <string_view>
#include <vector>

// The page's names for the controls of the layout table.
namespace page {

// Every control in the order of creation, as the window creates them.
using Control = layout::Member;
inline std::vector<Control> Controls() {
    return layout::Members();
}

// The id of a control's element: Label2(3) is "Label2_3", List1 is "List1".
std::string ElementId(std::string_view array, int index);
inline std::string ElementId(const Control& control) {
    return ElementId(control.array, control.index);
}

// The element holding the whole client area, and the arrays the handlers serve.
inline constexpr std::string_view kFormId = "PuzzleForm";
inline constexpr std::string_view kBoxes = "Label2";
inline constexpr std::string_view kCounters = "Text2";
inline constexpr std::string_view kButtons = "Command1";
inline constexpr std::string_view kSequenceList = "List1";
inline constexpr std::string_view kErrorDialog = "ErrorDialog";
inline constexpr std::string_view kErrorText = "ErrorText";

} // namespace page
