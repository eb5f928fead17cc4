// SPDX-License-Identifier: MIT
#include "app/window/UDlgRotateNum.h"

#include <gtest/gtest.h>

#include "RecordingPlatform.h"

namespace qm {
namespace {

TEST(UDlgRotateNum, TakesWholeNumbersFromTwoToTwentyOnly)
{
    RecordingPlatform boxes;
    TfrmRotateNum dialog;
    EXPECT_EQ(dialog.RotateNum, 3);
    dialog.SetValue(5);
    EXPECT_EQ(dialog.edtVal, "5");

    const auto ok = [&](std::string text) {
        dialog.edtVal = std::move(text);
        return dialog.OkClick(boxes);
    };
    const std::vector<std::string> refusedTexts{"1", "21", "", "2.5", " 4", "x", "-3"};
    for (const std::string& refused : refusedTexts) {
        EXPECT_FALSE(ok(refused)) << refused;
        EXPECT_EQ(dialog.RotateNum, 5);
    }
    EXPECT_EQ(boxes.errorBoxes,
              std::vector<std::string>(7, "歪四角の変換値は2～20の整数を指定して下さい。"));

    EXPECT_TRUE(ok("2"));
    EXPECT_EQ(dialog.RotateNum, 2);
    EXPECT_TRUE(ok("20"));
    EXPECT_EQ(dialog.RotateNum, 20);
    EXPECT_EQ(boxes.errorBoxes.size(), 7u);

    dialog.edtVal = std::string("11");
    dialog.CancelClick();
    EXPECT_EQ(dialog.RotateNum, 20);
}

}  // namespace
}  // namespace qm
