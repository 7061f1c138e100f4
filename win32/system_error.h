// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <system_error>

namespace win32 {

// The error Windows reports for the last call that failed, naming the call.
std::system_error LastError(const char* call);

// The message of any exception, for the user: Windows' own words for a system error.
std::wstring DescribeException(const std::exception& error);

} // namespace win32
