// SPDX-License-Identifier: GPL-3.0-or-later
#include "random.h"

#ifdef __EMSCRIPTEN__
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>
#else
#include <chrono>
#endif

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
#ifdef __EMSCRIPTEN__
    // The browser's own clocks, in nanoseconds: the C++ library's would bring
    // into the page the error messages of a clock that fails, and printf with
    // them, nearly a third of the page's program.
    const auto wall = static_cast<std::int64_t>(emscripten_date_now() * 1e6);
    const auto mono = static_cast<std::int64_t>(emscripten_get_now() * 1e6);
#else
    const auto wall = std::chrono::system_clock::now().time_since_epoch().count();
    const auto mono = std::chrono::steady_clock::now().time_since_epoch().count();
#endif
    state_ = static_cast<std::uint64_t>(wall) ^ (static_cast<std::uint64_t>(mono) << 17);
    last_ = -1.0f;
}

} // namespace runtime
