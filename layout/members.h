// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "layout/layout.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

// The layout table expanded into its controls, one entry a control, as every
// front end creates them.
namespace layout {

// The index a row's name gives its one member: "Text2(1)" gives 1, a name
// without an index 0; -1 for a "(k)" row of several members, or a malformed name.
constexpr int WrittenIndex(std::string_view control) {
    const std::size_t open = control.find('(');
    if (open == std::string_view::npos)
        return 0;
    if (control.back() != ')' || control.size() < open + 3)
        return -1;
    int index = 0;
    for (char digit : control.substr(open + 1, control.size() - open - 2)) {
        if (digit < '0' || digit > '9')
            return -1;
        index = index * 10 + (digit - '0');
    }
    return index;
}

// The array a row's name belongs to: "Label2" for "Label2(k)"; the whole name
// outside an array.
constexpr std::string_view ArrayOf(std::string_view control) {
    return control.substr(0, control.find('('));
}

// How many members `array` has in the table, counted where a program needs the
// number without the table's texts.
constexpr int MembersOf(std::string_view array) {
    int count = 0;
    for (const ControlRow& row : kControls)
        if (ArrayOf(row.control) == array)
            count += row.members;
    return count;
}

constexpr bool EveryNameGivesAnIndex() {
    for (const ControlRow& row : kControls)
        if (WrittenIndex(row.control) < 0 && !row.control.ends_with("(k)"))
            return false;
    return true;
}
static_assert(EveryNameGivesAnIndex());

// The frame is created before the boxes placed in it.
constexpr bool FrameComesFirst() {
    bool frame = false;
    for (const ControlRow& row : kControls) {
        frame = frame || row.kind == Frame;
        if ((row.other & kInFrame) && !frame)
            return false;
    }
    return true;
}
static_assert(FrameComesFirst());

struct Member {
    const ControlRow* row;
    std::string_view array; // "Label2" for Label2(3); the whole name outside an array
    int index;              // its index in the array, or -1 outside one
    int creation;           // 1 for the first control created, then 2, 3, ...

    // Its own Left in twips: a "(k)" row places member k a pitch further on.
    int left() const { return row->left + row->pitch * std::max(index, 0); }
    // "Label2(3)", or "List1" outside an array.
    std::string name() const {
        return index < 0 ? std::string(array)
                         : std::string(array) + "(" + std::to_string(index) + ")";
    }
};

// Every control in the order of creation (a "(k)" row from its last member down).
inline std::vector<Member> Members() {
    std::vector<Member> members;
    int creation = 0;
    for (const ControlRow& row : kControls) {
        const std::string_view array = ArrayOf(row.control);
        for (int k = row.members - 1; k >= 0; --k) {
            const int index = array == row.control           ? -1
                              : row.control.ends_with("(k)") ? k
                                                             : WrittenIndex(row.control);
            members.push_back({&row, array, index, ++creation});
        }
    }
    return members;
}

} // namespace layout
