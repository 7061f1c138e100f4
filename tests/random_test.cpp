// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/digit_sequence.h"
#include "puzzle/puzzle.h"
#include "runtime/random.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <set>

using runtime::Generator;
using runtime::kRandomBits;
using runtime::UnitFromBits;

TEST(Generator, StaysInTheHalfOpenUnitInterval) {
    EXPECT_EQ(UnitFromBits(0), 0.0f);
    constexpr std::uint32_t top = (1U << kRandomBits) - 1;
    EXPECT_LT(UnitFromBits(top), 1.0f);
    EXPECT_EQ(static_cast<double>(UnitFromBits(top)), 1.0 - 1.0 / (1U << kRandomBits));
    EXPECT_LT(UnitFromBits(0xFFFFFFFFU), 1.0f);

    Generator generator(12345);
    for (int i = 0; i < 100000; ++i) {
        float r = generator.NextRandom(100);
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
    }
}

TEST(Generator, PositiveArgumentsAdvanceOthersRepeat) {
    Generator generator(7);
    float first = generator.NextRandom(100);
    EXPECT_EQ(generator.NextRandom(0), first);
    EXPECT_EQ(generator.NextRandom(-1), first);
    std::set<float> seen{first};
    for (int i = 0; i < 50; ++i)
        seen.insert(generator.NextRandom(0.5f));
    EXPECT_GT(seen.size(), 45U);
}

TEST(Generator, SameSeedSameSequenceAndClockSeedsDiffer) {
    Generator a(99), b(99);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(a.NextRandom(1), b.NextRandom(1));

    Generator c, d;
    c.SeedFromClock();
    std::array<float, 4> fromC{}, fromD{};
    for (float& r : fromC)
        r = c.NextRandom(1);
    d.SeedFromClock();
    for (float& r : fromD)
        r = d.NextRandom(1);
    EXPECT_NE(fromC, fromD);
}

TEST(StartIndexFor, FormsTheProductInDoublePrecision) {
    EXPECT_EQ(puzzle::StartIndexFor(0.015f), 1);  // 1.4999999664... in double; 1.5 in float
    EXPECT_EQ(puzzle::StartIndexFor(0.125f), 12); // 12.5 ties to even
    EXPECT_EQ(puzzle::StartIndexFor(0.375f), 13); // 37.5 ties to 38
    EXPECT_EQ(puzzle::StartIndexFor(0.995f), 0);  // 99.5 ties to 100
    EXPECT_EQ(puzzle::StartIndexFor(0.0f), 0);
    EXPECT_EQ(puzzle::StartIndexFor(0.25f), 0);
    EXPECT_EQ(puzzle::StartIndexFor(0.5f), 0);
    EXPECT_EQ(puzzle::StartIndexFor(0.75f), 0);
    EXPECT_EQ(puzzle::StartIndexFor(0.24f), 24);
    EXPECT_EQ(puzzle::StartIndexFor(UnitFromBits(0xFFFFFF)), 0);
}

TEST(StartIndexFor, EveryOffsetIsEquallyLikelyOverAllGeneratorValues) {
    std::array<std::uint64_t, puzzle::kStartIndexCount> counts{};
    constexpr std::uint32_t values = 1U << kRandomBits;
    for (std::uint32_t bits = 0; bits < values; ++bits) {
        std::int16_t index = puzzle::StartIndexFor(UnitFromBits(bits));
        ASSERT_GE(index, 0);
        ASSERT_LT(index, puzzle::kStartIndexCount);
        ++counts[static_cast<std::size_t>(index)];
    }
    const double expected = static_cast<double>(values) / puzzle::kStartIndexCount;
    for (std::size_t i = 0; i < counts.size(); ++i)
        EXPECT_NEAR(static_cast<double>(counts[i]), expected, expected * 0.0001) << "offset " << i;
}
