// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <exception>

// No exception may leave a window procedure: Windows' own code lies between it
// and the message loop. One that would ends the loop instead, and the loop
// raises it again where main() tells the user.
namespace win32 {

void EndLoopWith(std::exception_ptr error) noexcept;
// Raises the exception that ended the loop, if one did.
void RethrowEscaped();

template <typename Body> LRESULT Guarded(Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        EndLoopWith(std::current_exception());
        return 0;
    }
}

} // namespace win32
