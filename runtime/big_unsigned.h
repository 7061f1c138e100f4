// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace runtime {

// An unsigned integer of up to 4160 bits, enough for every value the decimal
// conversions meet exactly: a double with all its decimal digits, or a decimal of
// up to 780 digits set against a power of ten. Exceeding that is a fault in the
// conversions and ends the program.
class BigUnsigned {
public:
    explicit BigUnsigned(std::uint64_t value = 0);

    bool IsZero() const { return size_ == 0; }
    // The number of bits up to the highest set one; 0 for zero.
    unsigned BitLength() const;
    // Negative, zero or positive as *this is below, equal to or above `other`.
    int Compare(const BigUnsigned& other) const;

    void MultiplyAdd(std::uint32_t factor, std::uint32_t addend);
    void MultiplyByPowerOf5(unsigned exponent);
    void ShiftLeft(unsigned bits);
    void ShiftRightOne();
    // Takes `other`, which must not be larger.
    void Subtract(const BigUnsigned& other);
    // Divides in place and gives the remainder.
    std::uint32_t DivideBy(std::uint32_t divisor);

    // Its decimal digits, without leading zeros ("0" for zero).
    std::string Decimal() const;

private:
    static constexpr std::size_t kCapacity = 130; // 32-bit limbs
    void Trim();
    void Grow(std::size_t size);

    std::array<std::uint32_t, kCapacity> limbs_{}; // least significant first
    std::size_t size_ = 0;                         // limbs in use; the top one is not zero
};

} // namespace runtime
