// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace runtime {

// The errors a handler can run into. Each ends the running handler where it is
// raised; the window decides how to tell the user.
enum class ErrorKind {
    Overflow,            // a number does not fit the integer type it is converted to
    NoSuchControlMember, // a control array was asked for a member it does not have
};

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(ErrorKind kind, const std::string& detail)
        : std::runtime_error(detail), kind_(kind) {}

    ErrorKind kind() const noexcept { return kind_; }

private:
    ErrorKind kind_;
};

// A control array asked for member `index`, which it does not have.
inline RuntimeError NoSuchMember(std::string_view array, int index) {
    return RuntimeError(ErrorKind::NoSuchControlMember,
                        std::string(array) + "(" + std::to_string(index) + ")");
}

} // namespace runtime
