// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a text: reading a number never crashes, never reads past the
// text and gives a finite number; any number a counter can hold survives being
// written as text and read back. Both directions also agree with the C++
// library's own exact conversions: a text that is a plain decimal number reads
// as from_chars reads it, and a double is written as to_chars (or, whole, as
// printf's "%.0f") writes it.
#include "runtime/conversions.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <system_error>

namespace {

void Require(bool condition) {
    if (!condition)
        __builtin_trap();
}

// A text of digits, an optional point and exponent, and an optional leading
// minus: what both readers take alike (from_chars also reads "inf", "nan" and
// their kind, which is no number here).
bool PlainDecimal(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789.eE+-") == std::string_view::npos &&
           text.front() != '+';
}

void RequireReadsAsLibrary(std::string_view text) {
    if (!PlainDecimal(text))
        return;
    double expected = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), expected);
    // A whole text in range; the library leaves the rest to its caller.
    if (error != std::errc() || end != text.data() + text.size())
        return;
    Require(runtime::TextToNumber(text) == expected);
}

void RequireWrittenAsLibrary(double value) {
    if (value == 0)
        return; // written "0", whatever its sign
    char expected[400];
    if (std::trunc(value) == value) {
        std::snprintf(expected, sizeof expected, "%.0f", value);
        Require(runtime::NumberToText(value) == expected);
        return;
    }
    const auto [end, error] =
        std::to_chars(expected, expected + sizeof expected, value, std::chars_format::fixed);
    Require(error == std::errc());
    Require(runtime::NumberToText(value) == std::string_view(expected, end));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double value = runtime::TextToNumber(text);
    Require(std::isfinite(value));
    // Whatever a text reads as, its own text reads back the same.
    Require(runtime::TextToNumber(runtime::NumberToText(value)) == value);
    RequireReadsAsLibrary(text);
    RequireWrittenAsLibrary(value);

    if (size >= sizeof(std::uint64_t)) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, data, sizeof bits);
        // Every whole number up to 2^53 in size, as exact counts reach.
        constexpr std::uint64_t exact = std::uint64_t{1} << 53;
        auto whole = static_cast<double>(bits % (exact + 1));
        if (bits >> 63)
            whole = -whole;
        Require(runtime::TextToNumber(runtime::NumberToText(whole)) == whole);
        // And any finite double at all.
        double any = 0;
        std::memcpy(&any, data, sizeof any);
        if (std::isfinite(any)) {
            Require(runtime::TextToNumber(runtime::NumberToText(any)) == any);
            RequireWrittenAsLibrary(any);
        }
    }
    return 0;
}
