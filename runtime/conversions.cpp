// SPDX-License-Identifier: GPL-3.0-or-later
#include "conversions.h"

#include "runtime_error.h"

#include <fast_float/fast_float.h>
#include <fmt/compile.h>
#include <fmt/format.h>

#include <cmath>
#include <cstddef>
#include <limits>
#include <string>
#include <system_error>

namespace runtime {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Where the number at the start of `text` ends, and whether it has any digit.
struct NumberExtent {
    std::size_t begin = 0; // first character after blanks and sign
    std::size_t end = 0;   // one past the last character of the number
    bool negative = false;
    bool hasDigits = false;
    long long scale = 0; // decimal exponent of the leading significant digit, plus one
};

NumberExtent Scan(std::string_view text) {
    NumberExtent n;
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        n.negative = text[i] == '-';
        ++i;
    }
    n.begin = i;
    bool significant = false;
    while (i < text.size() && IsDigit(text[i])) {
        significant = significant || text[i] != '0';
        n.scale += significant ? 1 : 0;
        n.hasDigits = true;
        ++i;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            significant = significant || text[i] != '0';
            n.scale -= significant ? 0 : 1;
            n.hasDigits = true;
            ++i;
        }
    }
    n.end = i;
    if (!n.hasDigits)
        return n;
    // An exponent counts only when at least one digit follows its letter.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            negativeExponent = text[j] == '-';
            ++j;
        }
        if (j < text.size() && IsDigit(text[j])) {
            long long e = 0;
            while (j < text.size() && IsDigit(text[j])) {
                if (e < 1'000'000'000)
                    e = e * 10 + (text[j] - '0');
                ++j;
            }
            n.scale += negativeExponent ? -e : e;
            n.end = j;
        }
    }
    return n;
}

template <typename Int> Int RoundTo(double value) {
    if (!std::isfinite(value))
        throw RuntimeError(ErrorKind::Overflow, "not a finite number");
    double whole = std::floor(value);
    double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    if (whole < static_cast<double>(std::numeric_limits<Int>::min()) ||
        whole > static_cast<double>(std::numeric_limits<Int>::max()))
        throw RuntimeError(ErrorKind::Overflow, "number out of integer range");
    return static_cast<Int>(whole);
}

} // namespace

double TextToNumber(std::string_view text) noexcept {
    NumberExtent n = Scan(text);
    if (!n.hasDigits)
        return 0.0;
    const char* first = text.data() + n.begin;
    const char* last = text.data() + n.end;
    double magnitude = 0.0;
    // Not strtod: it follows the locale the window sets, and in a comma locale
    // it would stop at the point of "2.5".
    auto ec = fast_float::from_chars(first, last, magnitude, fast_float::chars_format::general).ec;
    if (ec == std::errc::result_out_of_range || std::isinf(magnitude)) {
        // Too large gives the largest finite number, too small gives zero.
        magnitude = n.scale > 0 ? std::numeric_limits<double>::max() : 0.0;
    } else if (ec != std::errc()) {
        magnitude = 0.0;
    }
    return n.negative ? -magnitude : magnitude;
}

std::int16_t RoundToInt16(double value) {
    return RoundTo<std::int16_t>(value);
}

std::int32_t RoundToInt32(double value) {
    return RoundTo<std::int32_t>(value);
}

std::int16_t AddInt16(std::int16_t a, std::int16_t b) {
    int sum = int{a} + int{b};
    if (sum < std::numeric_limits<std::int16_t>::min() ||
        sum > std::numeric_limits<std::int16_t>::max())
        throw RuntimeError(ErrorKind::Overflow, "16-bit addition overflows");
    return static_cast<std::int16_t>(sum);
}

std::string NumberToText(double value) {
    if (value == 0.0 || !std::isfinite(value))
        return "0";
    // fmt, unlike printf, writes a point whatever the locale; its formats are
    // compiled in, so the page carries no format parser. A whole number is
    // written out exactly, every digit of it.
    if (std::trunc(value) == value)
        return fmt::format(FMT_COMPILE("{:.0f}"), value);
    // Otherwise the shortest digits that read back, which fmt gives as
    // [-]d[.ddd][e±xx] or as a plain decimal, moved into fixed notation.
    const std::string shortest = fmt::to_string(value);
    const bool negative = shortest.front() == '-';
    const std::size_t exponentAt = shortest.find('e');
    const std::string mantissa = shortest.substr(negative ? 1 : 0, exponentAt - (negative ? 1 : 0));
    const long exponent =
        exponentAt == std::string::npos ? 0 : std::stol(shortest.substr(exponentAt + 1));

    std::string digits;
    long point = 0; // digits before the decimal point
    bool seenPoint = false;
    for (char c : mantissa) {
        if (c == '.') {
            seenPoint = true;
            continue;
        }
        if (digits.empty() && c == '0') {
            point -= seenPoint ? 1 : 0;
            continue;
        }
        digits += c;
        point += seenPoint ? 0 : 1;
    }
    point += exponent;

    std::string text = negative ? "-" : "";
    if (point <= 0) {
        text += "0.";
        text.append(static_cast<std::size_t>(-point), '0');
        text += digits;
    } else {
        // Not a whole number, so the point falls inside the digits.
        text += digits.substr(0, static_cast<std::size_t>(point));
        text += '.';
        text += digits.substr(static_cast<std::size_t>(point));
    }
    return text;
}

} // namespace runtime
