// SPDX-License-Identifier: MIT
#include "app/window/UDlgHtml.h"

#include <gtest/gtest.h>

#include "RecordingPlatform.h"
#include "core/Errors.h"

namespace qm {
namespace {

// The user replaces the text of a field.
void Type(std::string& field, std::string text)
{
    field = std::move(text);
}

void ExpectStored(const TfrmHtml& dialog, const std::string& title, int numOfCol, int width,
                  int height, const std::string& fileName)
{
    EXPECT_EQ(dialog.Title(), title);
    EXPECT_EQ(dialog.NumOfCol(), numOfCol);
    EXPECT_EQ(dialog.PopupWidth(), width);
    EXPECT_EQ(dialog.PopupHeight(), height);
    EXPECT_EQ(dialog.HtmlFileName(), fileName);
}

TEST(TfrmHtml, StartsWithTheValuesOfItsStartTexts)
{
    const TfrmHtml dialog;
    ExpectStored(dialog, "一覧", 5, 400, 400, "list.html");
    EXPECT_EQ(dialog.edtTitle, "一覧");
    EXPECT_EQ(dialog.edtNumOfCol, "5");
    EXPECT_EQ(dialog.edtSizeWidth, "400");
    EXPECT_EQ(dialog.edtSizeHeight, "400");
    EXPECT_EQ(dialog.edtFileName, "list.html");
}

TEST(TfrmHtml, OkChecksTheFieldsInOrderAndStoresOnlyWhenAllPass)
{
    RecordingPlatform boxes;
    TfrmHtml dialog;
    Type(dialog.edtTitle, "");
    Type(dialog.edtNumOfCol, "x");
    Type(dialog.edtSizeWidth, "w");
    Type(dialog.edtSizeHeight, "h");
    Type(dialog.edtFileName, "");

    // A box of the dialog's own, or the text of a failure thrown for the
    // top-level handler.
    const auto refusal = [&]() -> std::string {
        boxes.errorBoxes.clear();
        std::string thrown;
        try {
            EXPECT_FALSE(dialog.OkClick(boxes));
        } catch (const ErrorMessage& error) {
            thrown = error.what();
        }
        ExpectStored(dialog, "一覧", 5, 400, 400, "list.html");
        if (!thrown.empty()) {
            return boxes.errorBoxes.empty() ? "thrown " + thrown : "?";
        }
        return boxes.errorBoxes.size() == 1 ? boxes.errorBoxes[0] : "?";
    };

    EXPECT_EQ(refusal(), "thrown 'x' は整数ではありません");
    Type(dialog.edtNumOfCol, " 3");
    EXPECT_EQ(refusal(), "thrown ' 3' は整数ではありません");
    Type(dialog.edtNumOfCol, "0");
    EXPECT_EQ(refusal(), "1行あたりの画像数は1以上の整数にして下さい。");
    Type(dialog.edtNumOfCol, "-1");
    EXPECT_EQ(refusal(), "1行あたりの画像数は1以上の整数にして下さい。");
    Type(dialog.edtNumOfCol, "3");
    EXPECT_EQ(refusal(), "thrown 'w' は整数ではありません");
    Type(dialog.edtSizeWidth, "0");
    EXPECT_EQ(refusal(), "thrown 'h' は整数ではありません");
    Type(dialog.edtSizeHeight, "-20");
    EXPECT_EQ(refusal(), "ファイル名を指定して下さい。");
    Type(dialog.edtFileName, "pages/index.html");

    boxes.errorBoxes.clear();
    EXPECT_TRUE(dialog.OkClick(boxes));
    EXPECT_TRUE(boxes.errorBoxes.empty());
    ExpectStored(dialog, "", 3, 0, -20, "pages/index.html");
}

TEST(TfrmHtml, CancelKeepsTheStoredValuesAndTheTypedTexts)
{
    RecordingPlatform boxes;
    TfrmHtml dialog;
    Type(dialog.edtTitle, "模様");
    Type(dialog.edtNumOfCol, "2");
    ASSERT_TRUE(dialog.OkClick(boxes));

    Type(dialog.edtTitle, "別");
    Type(dialog.edtNumOfCol, "9");
    dialog.CancelClick();
    ExpectStored(dialog, "模様", 2, 400, 400, "list.html");
    EXPECT_EQ(dialog.edtTitle, "別");
    EXPECT_EQ(dialog.edtNumOfCol, "9");
}

}  // namespace
}  // namespace qm
