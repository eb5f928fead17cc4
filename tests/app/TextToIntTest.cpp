// SPDX-License-Identifier: MIT
#include "app/TextToInt.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(TextToInt, AcceptsOnlyASignAndDigitsWithinThirtyTwoBits)
{
    EXPECT_EQ(TextToInt("5"), 5);
    EXPECT_EQ(TextToInt("+07"), 7);
    EXPECT_EQ(TextToInt("-0"), 0);
    EXPECT_EQ(TextToInt("2147483647"), 2147483647);
    EXPECT_EQ(TextToInt("-2147483648"), INT32_MIN);

    for (const char* bad : {"", "+", "-", " 5", "5 ", "1e3", "0x10", "$10", "５", "2147483648",
                            "-2147483649", "99999999999999999999", "1.0", "--1"}) {
        EXPECT_FALSE(TextToInt(bad).has_value()) << bad;
    }
}

TEST(TextToInt, MessageQuotesTheText)
{
    EXPECT_EQ(NotAnIntegerMessage("abc"), "'abc' は整数ではありません");
    EXPECT_EQ(NotAnIntegerMessage(""), "'' は整数ではありません");
}

}  // namespace
}  // namespace qm
