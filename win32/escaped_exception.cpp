// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/escaped_exception.h"

#include <utility>

namespace win32 {
namespace {

// The window procedures and the loop run on one thread.
thread_local std::exception_ptr escaped;

} // namespace

void EndLoopWith(std::exception_ptr error) noexcept {
    if (!escaped)
        escaped = error;
    PostQuitMessage(1);
}

void RethrowEscaped() {
    if (std::exception_ptr error = std::exchange(escaped, nullptr))
        std::rethrow_exception(error);
}

} // namespace win32
