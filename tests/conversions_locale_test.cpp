// SPDX-License-Identifier: GPL-3.0-or-later
// The window takes the user's locale (Qt calls setlocale(LC_ALL, "")). Run
// under LC_ALL=bg_BG.UTF-8, where the C library writes and reads "2,5": the
// texts the program converts must not change with it. Windows' C runtime is
// set to Bulgarian by its own name for the locale.
#include "runtime/conversions.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstring>

using namespace runtime;

namespace {
#ifdef _WIN32
constexpr const char* kBulgarian = "Bulgarian_Bulgaria.1251";
#else
constexpr const char* kBulgarian = ""; // from LC_ALL
#endif
} // namespace

TEST(ConversionsUnderACommaLocale, ReadAndWriteAPoint) {
    ASSERT_NE(std::setlocale(LC_ALL, kBulgarian), nullptr)
        << "the Bulgarian locale is not available";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",") << "not a comma locale";

    EXPECT_EQ(TextToNumber("2.5"), 2.5);
    EXPECT_EQ(TextToNumber("-0.125e1"), -1.25);
    EXPECT_EQ(TextToNumber("2,5"), 2.0);
    EXPECT_EQ(NumberToText(2.5), "2.5");
    EXPECT_EQ(NumberToText(-1e-7), "-0.0000001");
    EXPECT_EQ(NumberToText(1234567.0), "1234567");
}
