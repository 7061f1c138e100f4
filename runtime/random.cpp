// SPDX-License-Identifier: GPL-3.0-or-later
#include "random.h"

#include <chrono>

namespace runtime {
namespace {

// SplitMix64: small, fast, and every seed gives a full-period sequence.
std::uint64_t Advance(std::uint64_t& state) noexcept {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

} // namespace

float UnitFromBits(std::uint32_t bits) noexcept {
    constexpr std::uint32_t mask = (1U << kRandomBits) - 1;
    return static_cast<float>(bits & mask) / static_cast<float>(1U << kRandomBits);
}

float Generator::NextRandom(float argument) {
    if (argument > 0.0f || last_ < 0.0f)
        last_ = UnitFromBits(static_cast<std::uint32_t>(Advance(state_) >> (64 - kRandomBits)));
    return last_;
}

void Generator::SeedFromClock() {
    auto wall = std::chrono::system_clock::now().time_since_epoch().count();
    auto mono = std::chrono::steady_clock::now().time_since_epoch().count();
    state_ = static_cast<std::uint64_t>(wall) ^ (static_cast<std::uint64_t>(mono) << 17);
    last_ = -1.0f;
}

} // namespace runtime
