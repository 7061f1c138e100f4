// SPDX-License-Identifier: GPL-3.0-or-later
#include "conversions.h"

#include "runtime_error.h"

#include <array>
#include <charconv>
#include <cmath>
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
    auto ec = std::from_chars(first, last, magnitude, std::chars_format::general).ec;
    if (ec == std::errc::result_out_of_range) {
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
    // The largest double written in fixed notation needs 309 digits and a sign;
    // the shortest round-trip fraction of a tiny one needs a few hundred more.
    std::array<char, 1100> buffer{};
    auto [ptr, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::fixed);
    if (ec != std::errc())
        return "0";
    return std::string(buffer.data(), ptr);
}

} // namespace runtime
