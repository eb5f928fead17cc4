// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "RecordingPlatform.h"
#include "app/window/Main.h"

namespace qm {
namespace {

using enum ControlId;

struct Expected {
    ControlId control;
    const char* text;
    bool checked;
    bool enabled;
};

TEST(MainStartState, EveryControlStartsAsTheWindowIsDesigned)
{
    RecordingPlatform platform;
    TfrmHtml frmHtml;
    TfrmMain main(platform, frmHtml);
    int redraws = 0;
    main.SetChangeListener([&] { ++redraws; });
    main.FormCreate();

    const Expected expected[] = {
        {rdbImageFile, "指定のイメージファイル", true, true},
        {bbnBrows, "参照(&B)...", false, true},
        {edtFileName, "", false, true},
        {rdbSelectImageFolder, "指定フォルダのイメージファイル", false, true},
        {bbnSelectImageFolder, "参照...", false, false},
        {edtSelectImageFolder, "", false, false},
        {rdbSelectImageClipBoard, "クリップボードのイメージ", false, true},
        {rdbBasic, "基本変換(&F)", true, true},
        {cmbTransMethod, "万華鏡風", false, true},
        {bbnDetail, "詳細(&Z)...", false, false},
        {rdbDll, "外部変換(&E)", false, true},
        {edtDll, "", false, false},
        {bbnDll, "参照(&R)...", false, false},
        {ckbShuffle, "シャッフルする(&S)", false, true},
        {ckbShadeOff, "ぼかす(おすすめ)", false, true},
        {ckbBrightness, "明るさ変更", false, true},
        {lblSizeY, "縦(&V)", false, true},
        {edtSizeY, "32", false, true},
        {lblSizeX, "横(&L)", false, false},
        {edtSizeX, "32", false, false},
        {edtMake, "1", false, true},
        {edtPrefix, "image", false, true},
        {rdbBmp, "BMP(&I)", true, true},
        {rdbJpeg, "Jpeg(&J)", false, true},
        {lblQuality, "品質(&Q)", false, false},
        {lblLow, "低", false, false},
        {lblHigh, "高", false, false},
        {srbQuality, "50", false, false},
        {edtQuality, "50", false, false},
        {rdbPng, "PNG(&P)", false, true},
        {chbHtml, "HTMLを出力する(&H)", false, true},
        {bbnHtml, "設定...", false, false},
        {edtOutDirectory, "", false, true},
        {bbnOut, "参照(&D)...", false, true},
        {bbnExecute, "作成(&C)", false, true},
        {bbnExit, "終了(&X)", false, true},
        {bbnAbout, "情報(&A)...", false, true},
        {bbnHelp, "ヘルプ(&Y)", false, true},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(static_cast<int>(e.control));
        EXPECT_EQ(main.State(e.control).text, e.text);
        EXPECT_EQ(main.State(e.control).checked, e.checked);
        EXPECT_EQ(main.State(e.control).enabled, e.enabled);
    }

    EXPECT_EQ(main.State(bbnBrows).tooltip, "ダイアログからファイルを選択します。");
    EXPECT_EQ(main.State(edtFileName).tooltip,
              "参照ボタンでファイルを選択するか、ファイル名を入力して下さい。");
    EXPECT_EQ(main.State(edtOutDirectory).tooltip, "画像ファイルとHTMLファイルの出力先を指定します。");
    EXPECT_EQ(main.State(bbnOut).tooltip, "出力先をダイアログから選択します。");
    for (ControlId field : {edtSizeY, edtSizeX, edtMake, edtQuality}) {
        EXPECT_EQ(main.State(field).maxLength, 3);
    }

    EXPECT_EQ(main.MethodItems(),
              (std::vector<std::string>{"万華鏡風", "絨毯風", "テーブルクロス風", "タイル風", "花柄",
                                        "歪四角", "長方形", "無変換"}));
    EXPECT_EQ(main.SelectedMethod(), 0);
    EXPECT_EQ(main.QualityPosition(), 50);
    EXPECT_EQ(main.RotateNum(), 3);
    // The window is not active while it is created: no focus moves, no box.
    EXPECT_TRUE(platform.calls.empty());
    EXPECT_EQ(redraws, 1);
}

}  // namespace
}  // namespace qm
