// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a text: reading a number never crashes, never reads past the
// text and gives a finite number; any number a counter can hold survives being
// written as text and read back.
#include "runtime/conversions.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace {

void Require(bool condition) {
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double value = runtime::TextToNumber(text);
    Require(std::isfinite(value));
    // Whatever a text reads as, its own text reads back the same.
    Require(runtime::TextToNumber(runtime::NumberToText(value)) == value);

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
        if (std::isfinite(any))
            Require(runtime::TextToNumber(runtime::NumberToText(any)) == any);
    }
    return 0;
}
