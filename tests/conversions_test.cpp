// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/conversions.h"
#include "runtime/runtime_error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace runtime;

namespace {

bool RaisesOverflow(auto&& call) {
    try {
        call();
    } catch (const RuntimeError& error) {
        return error.kind() == ErrorKind::Overflow;
    }
    return false;
}

} // namespace

TEST(TextToNumber, ReadsTheTextsTheProgramWrites) {
    for (int digit = 0; digit <= 9; ++digit)
        EXPECT_EQ(TextToNumber(std::to_string(digit)), digit);
    EXPECT_EQ(TextToNumber("?"), 0.0);
    EXPECT_EQ(TextToNumber(""), 0.0);
    EXPECT_EQ(TextToNumber("1234567"), 1234567.0);
    EXPECT_EQ(TextToNumber("9007199254740992"), 9007199254740992.0);
}

TEST(TextToNumber, ReadsOnlyTheNumberAtTheStart) {
    EXPECT_EQ(TextToNumber("  42abc"), 42.0);
    EXPECT_EQ(TextToNumber("-7"), -7.0);
    EXPECT_EQ(TextToNumber("+3"), 3.0);
    EXPECT_EQ(TextToNumber("2.5"), 2.5);
    EXPECT_EQ(TextToNumber(".5"), 0.5);
    EXPECT_EQ(TextToNumber("1e3"), 1000.0);
    EXPECT_EQ(TextToNumber("1e"), 1.0);   // an exponent without digits is not one
    EXPECT_EQ(TextToNumber("1e+x"), 1.0); // likewise
    EXPECT_EQ(TextToNumber("3 1"), 3.0);  // the first blank after the number ends it
    EXPECT_EQ(TextToNumber("x12"), 0.0);  // not at the start
    EXPECT_EQ(TextToNumber("-"), 0.0);
    EXPECT_EQ(TextToNumber("."), 0.0);
    EXPECT_EQ(TextToNumber("inf"), 0.0);
    EXPECT_EQ(TextToNumber("nan"), 0.0);
    EXPECT_EQ(TextToNumber("0x1F"), 0.0);
    EXPECT_EQ(TextToNumber("Числова"), 0.0);
}

TEST(TextToNumber, StaysFiniteAtTheEdgesOfDouble) {
    EXPECT_EQ(TextToNumber("1e400"), std::numeric_limits<double>::max());
    EXPECT_EQ(TextToNumber("-1e400"), -std::numeric_limits<double>::max());
    EXPECT_EQ(TextToNumber(std::string(400, '9')), std::numeric_limits<double>::max());
    EXPECT_EQ(TextToNumber("0.000001e400"), std::numeric_limits<double>::max());
    EXPECT_EQ(TextToNumber("1e-400"), 0.0);
    EXPECT_EQ(TextToNumber("100000e-400"), 0.0);
    EXPECT_EQ(TextToNumber("0e99999999999999999999"), 0.0);
    EXPECT_TRUE(std::isfinite(TextToNumber("1e99999999999999999999")));
}

TEST(TextToNumber, StopsAtTheEndOfTheViewNotAtANul) {
    std::string buffer = "12345";
    EXPECT_EQ(TextToNumber(std::string_view(buffer).substr(0, 2)), 12.0);
    EXPECT_EQ(TextToNumber(std::string_view("7\0"
                                            "9",
                                            3)),
              7.0);
}

TEST(RoundToInt, TiesGoToTheEvenNeighbourOnBothSigns) {
    EXPECT_EQ(RoundToInt16(2.5), 2);
    EXPECT_EQ(RoundToInt16(3.5), 4);
    EXPECT_EQ(RoundToInt16(-2.5), -2);
    EXPECT_EQ(RoundToInt16(-3.5), -4);
    EXPECT_EQ(RoundToInt16(0.5), 0);
    EXPECT_EQ(RoundToInt16(-0.5), 0);
    EXPECT_EQ(RoundToInt16(2.4999999), 2);
    EXPECT_EQ(RoundToInt16(2.5000001), 3);
    EXPECT_EQ(RoundToInt32(12.5), 12);
    EXPECT_EQ(RoundToInt32(37.5), 38);
    EXPECT_EQ(RoundToInt32(-37.5), -38);
    EXPECT_EQ(RoundToInt32(99.5), 100);
}

TEST(RoundToInt, Int16OverflowsExactlyOutsideItsRange) {
    EXPECT_EQ(RoundToInt16(32767.0), 32767);
    EXPECT_EQ(RoundToInt16(32767.49), 32767);
    EXPECT_TRUE(RaisesOverflow([] { RoundToInt16(32767.5); })); // ties up to 32768
    EXPECT_TRUE(RaisesOverflow([] { RoundToInt16(32768.0); }));
    EXPECT_EQ(RoundToInt16(-32768.0), -32768);
    EXPECT_EQ(RoundToInt16(-32768.5), -32768); // ties to the even -32768
    EXPECT_TRUE(RaisesOverflow([] { RoundToInt16(-32768.51); }));
    EXPECT_TRUE(RaisesOverflow([] { RoundToInt16(-32769.0); }));
    EXPECT_TRUE(RaisesOverflow([] { RoundToInt16(std::numeric_limits<double>::quiet_NaN()); }));
    EXPECT_TRUE(RaisesOverflow([] { RoundToInt16(std::numeric_limits<double>::infinity()); }));
}

TEST(RoundToInt, Int32OverflowsExactlyOutsideItsRange) {
    EXPECT_EQ(RoundToInt32(2147483647.0), 2147483647);
    EXPECT_EQ(RoundToInt32(2147483647.4), 2147483647);
    EXPECT_TRUE(RaisesOverflow([] { RoundToInt32(2147483647.5); }));
    EXPECT_EQ(RoundToInt32(-2147483648.0), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(RoundToInt32(-2147483648.5), std::numeric_limits<std::int32_t>::min());
    EXPECT_TRUE(RaisesOverflow([] { RoundToInt32(-2147483648.6); }));
    EXPECT_TRUE(RaisesOverflow([] { RoundToInt32(1e300); }));
}

TEST(AddInt16, RaisesOverflowInsteadOfWrapping) {
    EXPECT_EQ(AddInt16(32766, 1), 32767);
    EXPECT_EQ(AddInt16(-32768, 1), -32767);
    EXPECT_TRUE(RaisesOverflow([] { AddInt16(32767, 1); }));
    EXPECT_TRUE(RaisesOverflow([] { AddInt16(-32768, -1); }));
}

TEST(NumberToText, WritesPlainDecimals) {
    EXPECT_EQ(NumberToText(0), "0");
    EXPECT_EQ(NumberToText(-0.0), "0");
    EXPECT_EQ(NumberToText(1), "1");
    EXPECT_EQ(NumberToText(10), "10");
    EXPECT_EQ(NumberToText(-4), "-4");
    EXPECT_EQ(NumberToText(2.5), "2.5");
    EXPECT_EQ(NumberToText(1e16), "10000000000000000");
    EXPECT_EQ(NumberToText(9007199254740992.0), "9007199254740992");
}

TEST(NumberToText, ReadsBackAsTheSameNumber) {
    for (double n : {1.0, 99.0, 12345678.0, 4294967296.0, 9007199254740991.0, 1e300,
                     std::numeric_limits<double>::max(), -123456.0, 0.1, 1e-300,
                     std::numeric_limits<double>::denorm_min()})
        EXPECT_EQ(TextToNumber(NumberToText(n)), n) << NumberToText(n);
}
