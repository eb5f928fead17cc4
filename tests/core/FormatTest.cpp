// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "core/Errors.h"
#include "core/Format.h"

namespace qm {
namespace {

TEST(Format, FillsTextsAndNumbersInOrder)
{
    EXPECT_EQ(Format("ファイル[%s]", {"a.so"}), "ファイル[a.so]");
    EXPECT_EQ(Format("設定値[%d] 制限値[%d]", {-1, 0}), "設定値[-1] 制限値[0]");
    EXPECT_EQ(Format("100%%", {}), "100%");
}

TEST(Format, PadsToTheGivenNumberOfDigits)
{
    EXPECT_EQ(Format("%.3d", {1}), "001");
    EXPECT_EQ(Format("%.3d", {42}), "042");
    EXPECT_EQ(Format("%.3d", {100}), "100");
    EXPECT_EQ(Format("%.3d", {1234}), "1234");
    EXPECT_EQ(Format("%s%.03d.%s", {"image", 7, "png"}), "image007.png");
    EXPECT_EQ(Format("%.3d", {-5}), "-005");
}

TEST(Format, TakesNumberedValuesInAnyOrderAndMoreThanOnce)
{
    EXPECT_EQ(Format("%2$s %1$.3d / %1$d of %2$s", {7, "b"}), "b 007 / 7 of b");
    EXPECT_THROW(Format("%3$d", {1, 2}), ErrorMessage);
    EXPECT_THROW(Format("%0$d", {1}), ErrorMessage);
    EXPECT_THROW(Format("%1$", {1}), ErrorMessage);
}

TEST(Format, RefusesMissingOrMismatchedValues)
{
    EXPECT_THROW(Format("%d", {}), ErrorMessage);
    EXPECT_THROW(Format("%d", {"text"}), ErrorMessage);
    EXPECT_THROW(Format("%s", {3}), ErrorMessage);
    EXPECT_THROW(Format("%", {}), ErrorMessage);
}

}  // namespace
}  // namespace qm
