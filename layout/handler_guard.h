// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "layout/texts.h"
#include "runtime/runtime_error.h"

#include <exception>
#include <string_view>

namespace layout {

// What the user is told when a handler stops on `error`.
inline std::string_view DescribeError(const runtime::RuntimeError& error) {
    switch (error.kind()) {
    case runtime::ErrorKind::Overflow:
        return texts::kErrorOverflow;
    case runtime::ErrorKind::NoSuchControlMember:
        return texts::kErrorNoSuchControl;
    }
    return texts::kErrorUnexpected;
}

// Runs one of the puzzle's handlers for a front end. A handler that fails stops
// where it failed: `report` is given what to tell the user, the front end
// carries on with whatever the handler had done, and no exception leaves.
template <typename Handler, typename Report> void RunHandler(Handler&& handler, Report&& report) {
    try {
        handler();
    } catch (const runtime::RuntimeError& error) {
        report(DescribeError(error));
    } catch (const std::exception&) {
        report(texts::kErrorUnexpected);
    }
}

} // namespace layout
