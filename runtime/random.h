// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace runtime {

// Where the puzzle gets its random numbers; tests put a source of their own in.
class RandomSource {
public:
    virtual ~RandomSource() = default;

    // The next value r of the sequence, 0 <= r < 1, in single precision, for any
    // positive argument. Zero or a negative argument gives the last value again.
    virtual float NextRandom(float argument) = 0;

    // Starts a new sequence from the system clock, so each run deals differently.
    virtual void SeedFromClock() = 0;
};

// Every value the generator returns is a multiple of 2^-24 below 1: exactly
// representable in single precision and never 1.0.
inline constexpr int kRandomBits = 24;
float UnitFromBits(std::uint32_t bits) noexcept;

class Generator final : public RandomSource {
public:
    explicit Generator(std::uint64_t seed = 0) noexcept : state_(seed) {}

    float NextRandom(float argument) override;
    void SeedFromClock() override;

private:
    std::uint64_t state_;
    float last_ = -1.0f; // no value drawn yet
};

} // namespace runtime
