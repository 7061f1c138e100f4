// SPDX-License-Identifier: GPL-3.0-or-later
#include "big_unsigned.h"

#include <algorithm>
#include <cstdlib>

namespace runtime {

BigUnsigned::BigUnsigned(std::uint64_t value) {
    limbs_[0] = static_cast<std::uint32_t>(value);
    limbs_[1] = static_cast<std::uint32_t>(value >> 32);
    size_ = 2;
    Trim();
}

void BigUnsigned::Trim() {
    while (size_ > 0 && limbs_[size_ - 1] == 0)
        --size_;
}

void BigUnsigned::Grow(std::size_t size) {
    if (size > kCapacity)
        std::abort(); // the bounds in the header were got wrong
    std::fill(limbs_.begin() + static_cast<std::ptrdiff_t>(size_),
              limbs_.begin() + static_cast<std::ptrdiff_t>(size), 0U);
    size_ = size;
}

unsigned BigUnsigned::BitLength() const {
    if (size_ == 0)
        return 0;
    unsigned bits = static_cast<unsigned>(size_ - 1) * 32;
    for (std::uint32_t top = limbs_[size_ - 1]; top != 0; top >>= 1)
        ++bits;
    return bits;
}

int BigUnsigned::Compare(const BigUnsigned& other) const {
    if (size_ != other.size_)
        return size_ < other.size_ ? -1 : 1;
    for (std::size_t i = size_; i-- > 0;)
        if (limbs_[i] != other.limbs_[i])
            return limbs_[i] < other.limbs_[i] ? -1 : 1;
    return 0;
}

void BigUnsigned::MultiplyAdd(std::uint32_t factor, std::uint32_t addend) {
    std::uint64_t carry = addend;
    for (std::size_t i = 0; i < size_; ++i) {
        carry += std::uint64_t{limbs_[i]} * factor;
        limbs_[i] = static_cast<std::uint32_t>(carry);
        carry >>= 32;
    }
    if (carry != 0) {
        Grow(size_ + 1);
        limbs_[size_ - 1] = static_cast<std::uint32_t>(carry);
    }
    Trim();
}

void BigUnsigned::MultiplyByPowerOf5(unsigned exponent) {
    constexpr std::uint32_t kLargest = 1220703125; // 5^13, the largest that fits 32 bits
    for (; exponent >= 13; exponent -= 13)
        MultiplyAdd(kLargest, 0);
    std::uint32_t rest = 1;
    for (; exponent > 0; --exponent)
        rest *= 5;
    MultiplyAdd(rest, 0);
}

void BigUnsigned::ShiftLeft(unsigned bits) {
    if (size_ == 0)
        return;
    const std::size_t limbs = bits / 32;
    const unsigned within = bits % 32;
    const std::size_t old = size_;
    Grow(size_ + limbs + 1);
    for (std::size_t i = old; i-- > 0;) {
        const std::uint64_t moved = std::uint64_t{limbs_[i]} << within;
        limbs_[i + limbs + 1] |= static_cast<std::uint32_t>(moved >> 32);
        limbs_[i + limbs] = static_cast<std::uint32_t>(moved);
    }
    std::fill(limbs_.begin(), limbs_.begin() + static_cast<std::ptrdiff_t>(limbs), 0U);
    Trim();
}

void BigUnsigned::ShiftRightOne() {
    for (std::size_t i = 0; i < size_; ++i)
        limbs_[i] = (limbs_[i] >> 1) | (i + 1 < size_ ? limbs_[i + 1] << 31 : 0U);
    Trim();
}

void BigUnsigned::Subtract(const BigUnsigned& other) {
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < size_; ++i) {
        std::int64_t difference = std::int64_t{limbs_[i]} - borrow -
                                  (i < other.size_ ? std::int64_t{other.limbs_[i]} : 0);
        borrow = difference < 0 ? 1 : 0;
        limbs_[i] = static_cast<std::uint32_t>(difference + (borrow << 32));
    }
    Trim();
}

std::uint32_t BigUnsigned::DivideBy(std::uint32_t divisor) {
    std::uint64_t remainder = 0;
    for (std::size_t i = size_; i-- > 0;) {
        const std::uint64_t part = (remainder << 32) | limbs_[i];
        limbs_[i] = static_cast<std::uint32_t>(part / divisor);
        remainder = part % divisor;
    }
    Trim();
    return static_cast<std::uint32_t>(remainder);
}

std::string BigUnsigned::Decimal() const {
    BigUnsigned rest = *this;
    std::string reversed;
    do {
        // Nine digits at a time; the last group is written without its leading zeros.
        std::uint32_t group = rest.DivideBy(1'000'000'000);
        for (int i = 0; i < 9 && (group != 0 || !rest.IsZero()); ++i, group /= 10)
            reversed += static_cast<char>('0' + group % 10);
    } while (!rest.IsZero());
    if (reversed.empty())
        return std::string(1, '0');
    return {reversed.rbegin(), reversed.rend()};
}

} // namespace runtime
