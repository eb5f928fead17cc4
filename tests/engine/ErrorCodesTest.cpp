// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <vector>

#include "engine/ErrorCodes.h"

namespace qm {
namespace {

class CapturingBoxes : public MessageBoxes {
public:
    void ShowErrorBox(const std::string& text) override { errors.push_back(text); }
    void ShowInfoBox(const std::string& text) override { infos.push_back(text); }

    std::vector<std::string> errors;
    std::vector<std::string> infos;
};

TEST(ErrorReport, IsTheMessageAColonAndTheCodeThenTheDetail)
{
    EXPECT_EQ(ErrorReportText(1, ""), "切り出した画像が大きすぎます。:1");
    EXPECT_EQ(ErrorReportText(7, "ファイル[/opt/a.so]"),
              "DLLの呼び出しに失敗しました。:7\r\nファイル[/opt/a.so]");
    EXPECT_EQ(ErrorReportText(5, ""),
              "元の画像が小さすぎます。\r\n(もっと大きな画像を設定してください):5");
    EXPECT_EQ(ErrorReportText(4, ""), "切り出した画像サイズが奇数です(奇数不可)。:4");
}

TEST(ErrorReport, CodesWithoutAMessageStartWithTheColon)
{
    EXPECT_EQ(ErrorReportText(15, "設定値[16] 制限値[32]"), ":15\r\n設定値[16] 制限値[32]");
    EXPECT_EQ(ErrorReportText(0, ""), ":0");
    EXPECT_EQ(ErrorReportText(-3, ""), ":-3");
    for (std::int32_t code = 1; code <= 14; ++code) {
        EXPECT_FALSE(ErrorCodeMessage(code).empty()) << code;
    }
    for (std::int32_t code : {0, 15, 16, 17, 18, 20}) {
        EXPECT_TRUE(ErrorCodeMessage(code).empty()) << code;
    }
}

TEST(ErrorReport, IsShownInOneErrorBox)
{
    CapturingBoxes boxes;
    ReportError(boxes, kErrMissingExport, "関数名[MakeImageSize]");
    ASSERT_EQ(boxes.errors.size(), 1u);
    EXPECT_EQ(boxes.errors[0], "関数が呼び出せませんでした。:8\r\n関数名[MakeImageSize]");
    EXPECT_TRUE(boxes.infos.empty());
}

}  // namespace
}  // namespace qm
