// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "layout/members.h"

namespace win32 {

// Each control's identifier: its place in the order of creation from 101 on,
// clear of IDOK and IDCANCEL, which Windows itself sends.
inline constexpr int kFirstControlId = 100;

inline int ControlId(const layout::Member& member) {
    return kFirstControlId + member.creation;
}

} // namespace win32
