// SPDX-License-Identifier: GPL-3.0-or-later
#include "conversions.h"

#include "big_unsigned.h"
#include "runtime_error.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

// Both directions are exact: a text reads as the double nearest to its value
// (a tie to the even neighbour), and a double is written with the fewest digits
// that read back as itself. Neither the C library nor a formatting library is
// used: the C library follows the locale the window sets, and in a comma locale
// it would stop at the point of "2.5"; a formatting library would bring into the
// page far more code and tables than these two jobs need.
namespace runtime {
namespace {

// A decimal 0.d1d2d3... x 10^pointAt, its digits without leading zeros.
struct Decimal {
    std::string digits;
    long long pointAt = 0;
};

// A double's decimal digits beyond the 767th cannot decide how a text rounds, as
// long as whether any of them is not zero is kept: the last digit stands for them.
constexpr std::size_t kMaxDigits = 780;
// The bounds beyond which every text reads as the largest double or as zero.
constexpr long long kAboveLargest = 310;   // 10^309 > DBL_MAX
constexpr long long kBelowSmallest = -324; // 10^-325 < half of the least subnormal

constexpr int kMantissaBits = std::numeric_limits<double>::digits; // 53
// The binary exponent of the least subnormal's unit, negated, plus one for a rounding bit.
constexpr int kLeastUnitShift = 1075;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The number at the start of `text`, if any.
struct Scanned {
    bool hasDigits = false;
    bool negative = false;
    Decimal value;
};

void TakeDigit(Decimal& value, char digit) {
    if (value.digits.empty() && digit == '0')
        return;
    if (value.digits.size() < kMaxDigits)
        value.digits += digit;
    else if (digit != '0' && value.digits.back() == '0')
        value.digits.back() = '1';
}

Scanned Scan(std::string_view text) {
    Scanned n;
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        n.negative = text[i] == '-';
        ++i;
    }
    while (i < text.size() && IsDigit(text[i])) {
        TakeDigit(n.value, text[i]);
        n.value.pointAt += n.value.digits.empty() ? 0 : 1;
        n.hasDigits = true;
        ++i;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            n.value.pointAt -= n.value.digits.empty() && text[i] == '0' ? 1 : 0;
            TakeDigit(n.value, text[i]);
            n.hasDigits = true;
            ++i;
        }
    }
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
        long long e = 0;
        for (; j < text.size() && IsDigit(text[j]); ++j)
            if (e < 1'000'000'000)
                e = e * 10 + (text[j] - '0');
        n.value.pointAt += negativeExponent ? -e : e;
    }
    return n;
}

BigUnsigned FromDigits(const std::string& digits) {
    BigUnsigned number;
    for (char digit : digits)
        number.MultiplyAdd(10, static_cast<std::uint32_t>(digit - '0'));
    return number;
}

// The double nearest to a decimal; past the largest double, infinity.
double ToDouble(const Decimal& value) {
    if (value.digits.empty() || value.pointAt < kBelowSmallest)
        return 0.0;
    if (value.pointAt > kAboveLargest)
        return std::numeric_limits<double>::infinity();
    // The value is digits x 10^exponent.
    const long long exponent = value.pointAt - static_cast<long long>(value.digits.size());

    // Up to 15 digits and a power of ten up to 10^22 are both exact doubles, and
    // one multiplication or division rounds exactly once.
    if (value.digits.size() <= 15 && exponent >= -22 && exponent <= 22) {
        double whole = 0.0;
        for (char digit : value.digits)
            whole = whole * 10.0 + (digit - '0');
        double power = 1.0;
        for (long long k = exponent < 0 ? -exponent : exponent; k > 0; --k)
            power *= 10.0;
        return exponent < 0 ? whole / power : whole * power;
    }

    // Otherwise as the exact quotient numerator / denominator.
    BigUnsigned numerator = FromDigits(value.digits);
    BigUnsigned denominator(1);
    if (exponent >= 0) {
        numerator.MultiplyByPowerOf5(static_cast<unsigned>(exponent));
        numerator.ShiftLeft(static_cast<unsigned>(exponent));
    } else {
        denominator.MultiplyByPowerOf5(static_cast<unsigned>(-exponent));
        denominator.ShiftLeft(static_cast<unsigned>(-exponent));
    }
    // The quotient lies in [2^(t-1), 2^(t+1)). Scaled by 2^shift it keeps 54 or 55
    // bits: the mantissa and a rounding bit, and perhaps one more. Below the least
    // normal the scale stops at the unit of the least subnormal.
    const int t =
        static_cast<int>(numerator.BitLength()) - static_cast<int>(denominator.BitLength());
    int shift = kMantissaBits + 1 - t;
    if (shift > kLeastUnitShift)
        shift = kLeastUnitShift;
    if (shift >= 0)
        numerator.ShiftLeft(static_cast<unsigned>(shift));
    else
        denominator.ShiftLeft(static_cast<unsigned>(-shift));

    // Long division, one bit at a time: the quotient has at most 55 bits.
    constexpr int kQuotientBits = kMantissaBits + 2;
    denominator.ShiftLeft(kQuotientBits - 1);
    std::uint64_t quotient = 0;
    for (int bit = 0; bit < kQuotientBits; ++bit) {
        quotient <<= 1;
        if (numerator.Compare(denominator) >= 0) {
            numerator.Subtract(denominator);
            quotient |= 1;
        }
        denominator.ShiftRightOne();
    }
    bool sticky = !numerator.IsZero();
    if (quotient >> (kMantissaBits + 1)) {
        sticky = sticky || (quotient & 1);
        quotient >>= 1;
        --shift;
    }
    std::uint64_t mantissa = quotient >> 1;
    if ((quotient & 1) && (sticky || (mantissa & 1)))
        ++mantissa;
    return std::ldexp(static_cast<double>(mantissa), 1 - shift);
}

// Every decimal digit of a finite, positive double.
Decimal ExactDigits(double value) {
    int binaryExponent = 0;
    const double fraction = std::frexp(value, &binaryExponent);
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, kMantissaBits));
    const int exponent = binaryExponent - kMantissaBits; // value = mantissa x 2^exponent
    BigUnsigned number(mantissa);
    Decimal exact;
    if (exponent >= 0) {
        number.ShiftLeft(static_cast<unsigned>(exponent));
        exact.digits = number.Decimal();
        exact.pointAt = static_cast<long long>(exact.digits.size());
    } else {
        // m x 2^-k = m x 5^k / 10^k
        number.MultiplyByPowerOf5(static_cast<unsigned>(-exponent));
        exact.digits = number.Decimal();
        exact.pointAt = static_cast<long long>(exact.digits.size()) + exponent;
    }
    return exact;
}

// The decimal one unit in its last digit larger.
Decimal NextUp(Decimal value) {
    std::size_t i = value.digits.size();
    while (i > 0 && value.digits[i - 1] == '9')
        value.digits[--i] = '0';
    if (i == 0) {
        value.digits.insert(value.digits.begin(), '1');
        ++value.pointAt;
    } else {
        ++value.digits[i - 1];
    }
    return value;
}

// Of the decimals with the fewest digits that read back as `value` (finite and
// positive), the nearer, and of two as near, the one ending in an even digit.
Decimal NearestReadingBack(double value) {
    const Decimal exact = ExactDigits(value);
    for (std::size_t count = 1;; ++count) {
        if (exact.digits.size() <= count)
            return exact;
        const Decimal below{exact.digits.substr(0, count), exact.pointAt};
        const Decimal above = NextUp(below);
        const bool belowReads = ToDouble(below) == value;
        const bool aboveReads = ToDouble(above) == value;
        if (!belowReads && !aboveReads)
            continue;
        if (belowReads != aboveReads)
            return belowReads ? below : above;
        // Both read back: the rest of the exact digits says which is nearer.
        const std::string rest = exact.digits.substr(count);
        const bool pastHalf = rest[0] > '5' || (rest[0] == '5' && rest.find_first_not_of('0', 1) !=
                                                                      std::string::npos);
        const bool half = rest[0] == '5' && !pastHalf;
        const bool belowEven = (below.digits.back() - '0') % 2 == 0;
        return pastHalf || (half && !belowEven) ? above : below;
    }
}

// Those digits without zeros at their end: rounding up may carry into a new
// leading digit and leave one.
Decimal ShortestDigits(double value) {
    Decimal shortest = NearestReadingBack(value);
    shortest.digits.erase(shortest.digits.find_last_not_of('0') + 1);
    return shortest;
}

std::string WholeNumberText(double magnitude) {
    if (magnitude < 18446744073709551616.0) { // 2^64
        auto whole = static_cast<std::uint64_t>(magnitude);
        std::string reversed;
        do {
            reversed += static_cast<char>('0' + whole % 10);
            whole /= 10;
        } while (whole != 0);
        return {reversed.rbegin(), reversed.rend()};
    }
    return ExactDigits(magnitude).digits;
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
    const Scanned n = Scan(text);
    if (!n.hasDigits)
        return 0.0;
    double magnitude = ToDouble(n.value);
    // Too large gives the largest finite number.
    if (std::isinf(magnitude))
        magnitude = std::numeric_limits<double>::max();
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
    std::string text = value < 0 ? "-" : "";
    const double magnitude = std::fabs(value);
    // A whole number is written out exactly, every digit of it.
    if (std::trunc(magnitude) == magnitude)
        return text + WholeNumberText(magnitude);
    // Otherwise the shortest digits, in fixed notation. Not a whole number, so
    // the point falls before the last digit.
    const Decimal shortest = ShortestDigits(magnitude);
    if (shortest.pointAt <= 0) {
        text += "0.";
        text.append(static_cast<std::size_t>(-shortest.pointAt), '0');
        text += shortest.digits;
    } else {
        const auto point = static_cast<std::size_t>(shortest.pointAt);
        text += shortest.digits.substr(0, point);
        text += '.';
        text += shortest.digits.substr(point);
    }
    return text;
}

} // namespace runtime
