// SPDX-License-Identifier: GPL-3.0-or-later
// The window takes the user's locale (Qt calls setlocale(LC_ALL, "")). Run
// under LC_ALL=bg_BG.UTF-8, where the C library writes and reads "2,5": the
// texts the program converts must not change with it.
#include "runtime/conversions.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstring>

using namespace runtime;

TEST(ConversionsUnderACommaLocale, ReadAndWriteAPoint) {
    ASSERT_NE(std::setlocale(LC_ALL, ""), nullptr) << "the locale in LC_ALL is not available";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",") << "not a comma locale";

    EXPECT_EQ(TextToNumber("2.5"), 2.5);
    EXPECT_EQ(TextToNumber("-0.125e1"), -1.25);
    EXPECT_EQ(TextToNumber("2,5"), 2.0);
    EXPECT_EQ(NumberToText(2.5), "2.5");
    EXPECT_EQ(NumberToText(-1e-7), "-0.0000001");
    EXPECT_EQ(NumberToText(1234567.0), "1234567");
}
