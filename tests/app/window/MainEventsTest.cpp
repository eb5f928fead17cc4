// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <filesystem>

#include "MainWindow.h"
#include "app/window/UDlgRotateNum.h"
#include "support/TempFolder.h"

namespace qm {

using test::TempFolder;

namespace {

using enum ControlId;

TEST(MainEvents, SourceButtonsEnableTheirFieldsAndFocusOnlyAnActiveWindow)
{
    MainWindow w;
    w.main.Click(rdbSelectImageFolder);
    EXPECT_TRUE(w.Checked(rdbSelectImageFolder));
    EXPECT_FALSE(w.Checked(rdbImageFile));
    EXPECT_TRUE(w.Enabled(bbnSelectImageFolder));
    EXPECT_TRUE(w.Enabled(edtSelectImageFolder));
    EXPECT_FALSE(w.Enabled(bbnBrows));
    EXPECT_FALSE(w.Enabled(edtFileName));
    EXPECT_EQ(w.platform.focusMoves, std::vector<ControlId>{edtSelectImageFolder});

    w.main.Click(rdbSelectImageClipBoard);
    EXPECT_TRUE(w.Checked(rdbSelectImageClipBoard));
    EXPECT_FALSE(w.Checked(rdbSelectImageFolder));
    for (ControlId field : {bbnBrows, edtFileName, bbnSelectImageFolder, edtSelectImageFolder}) {
        EXPECT_FALSE(w.Enabled(field));
    }
    EXPECT_EQ(w.platform.focusMoves.size(), 1u);

    w.platform.mainWindowActive = false;
    w.main.Click(rdbImageFile);
    EXPECT_TRUE(w.Checked(rdbImageFile));
    EXPECT_TRUE(w.Enabled(bbnBrows));
    EXPECT_TRUE(w.Enabled(edtFileName));
    EXPECT_FALSE(w.Enabled(edtSelectImageFolder));
    EXPECT_EQ(w.platform.focusMoves.size(), 1u);
}

TEST(MainEvents, MethodKindButtonsSwitchBetweenListAndLibraryKeepingTheMethodRules)
{
    MainWindow w;
    w.main.SelectMethod(kDistortedSquareItem);
    w.main.Click(rdbDll);
    EXPECT_TRUE(w.Checked(rdbDll));
    EXPECT_FALSE(w.Checked(rdbBasic));
    EXPECT_TRUE(w.Enabled(edtDll));
    EXPECT_TRUE(w.Enabled(bbnDll));
    EXPECT_FALSE(w.Enabled(cmbTransMethod));
    EXPECT_TRUE(w.Enabled(bbnDetail));
    EXPECT_EQ(w.platform.focusMoves, std::vector<ControlId>{edtDll});

    w.platform.libraryFile = "/opt/plugins/wave.so";
    w.main.Click(bbnDll);
    EXPECT_EQ(w.Text(edtDll), "/opt/plugins/wave.so");

    w.main.SelectMethod(kRectangleItem);
    w.main.Click(rdbBasic);
    EXPECT_TRUE(w.Checked(rdbBasic));
    EXPECT_TRUE(w.Enabled(cmbTransMethod));
    EXPECT_FALSE(w.Enabled(edtDll));
    EXPECT_FALSE(w.Enabled(bbnDll));
    EXPECT_TRUE(w.Enabled(edtSizeX));
    EXPECT_EQ(w.platform.focusMoves.back(), cmbTransMethod);
}

TEST(MainEvents, WidthFollowsHeightExceptForRectangleAndNoConversion)
{
    MainWindow w;
    w.main.ChangeText(edtSizeY, "64");
    EXPECT_EQ(w.Text(edtSizeX), "64");

    w.main.SelectMethod(kRectangleItem);
    EXPECT_TRUE(w.Enabled(edtSizeX));
    EXPECT_TRUE(w.Enabled(lblSizeX));
    w.main.ChangeText(edtSizeY, "80");
    EXPECT_EQ(w.Text(edtSizeX), "64");
    w.main.ChangeText(edtSizeX, "40");

    w.main.SelectMethod(kFloralItem);
    EXPECT_FALSE(w.Enabled(edtSizeX));
    EXPECT_FALSE(w.Enabled(lblSizeX));
    EXPECT_EQ(w.Text(edtSizeX), "80");

    w.main.SelectMethod(kNoConversionItem);
    EXPECT_TRUE(w.Enabled(edtSizeX));
    w.main.ChangeText(edtSizeY, "96");
    EXPECT_EQ(w.Text(edtSizeX), "80");
    EXPECT_EQ(w.Text(cmbTransMethod), "無変換");
}

TEST(MainEvents, DistortedSquareSettingOnlyForItsMethodAndTakenOnlyOnOk)
{
    MainWindow w;
    for (int item = 0; item < 8; ++item) {
        w.main.SelectMethod(item);
        EXPECT_EQ(w.Enabled(bbnDetail), item == kDistortedSquareItem) << item;
    }

    // The guard, should the button be pressed while disabled.
    w.main.SelectMethod(kKaleidoscopeItem);
    bool opened = false;
    w.platform.rotateNumDialog = [&](TfrmRotateNum&) { return opened = true; };
    w.main.Click(bbnDetail);
    EXPECT_FALSE(opened);
    EXPECT_EQ(w.platform.errorBoxes, std::vector<std::string>{"Error: DetailClick"});

    w.main.SelectMethod(kDistortedSquareItem);
    std::string shown;
    w.platform.rotateNumDialog = [&](TfrmRotateNum& dialog) {
        shown = dialog.edtVal;
        dialog.edtVal = "7";
        return dialog.OkClick(w.platform);
    };
    w.main.Click(bbnDetail);
    EXPECT_EQ(shown, "3");
    EXPECT_EQ(w.main.RotateNum(), 7);

    w.platform.rotateNumDialog = [&](TfrmRotateNum& dialog) {
        shown = dialog.edtVal;
        dialog.edtVal = "9";
        dialog.CancelClick();
        return false;
    };
    w.main.Click(bbnDetail);
    EXPECT_EQ(shown, "7");
    EXPECT_EQ(w.main.RotateNum(), 7);

    // Another method chosen while the dialog is open: the value is dropped.
    w.platform.rotateNumDialog = [&](TfrmRotateNum& dialog) {
        w.main.SelectMethod(kKaleidoscopeItem);
        dialog.edtVal = "12";
        return dialog.OkClick(w.platform);
    };
    w.main.Click(bbnDetail);
    EXPECT_EQ(w.main.RotateNum(), 7);
    EXPECT_EQ(w.platform.errorBoxes.size(), 1u);
}

TEST(MainEvents, QualityFieldAndBarFollowEachOther)
{
    MainWindow w;
    w.main.Click(rdbJpeg);
    for (ControlId control : {lblQuality, lblLow, lblHigh, srbQuality, edtQuality}) {
        EXPECT_TRUE(w.Enabled(control));
    }
    w.main.ChangeText(edtQuality, "0");
    EXPECT_EQ(w.main.QualityPosition(), 1);
    EXPECT_EQ(w.Text(edtQuality), "1");
    w.main.ChangeText(edtQuality, "150");
    EXPECT_EQ(w.main.QualityPosition(), 100);
    EXPECT_EQ(w.Text(edtQuality), "100");
    w.main.ChangeText(edtQuality, "75");
    EXPECT_EQ(w.main.QualityPosition(), 75);
    EXPECT_EQ(w.Text(srbQuality), "75");
    w.main.ChangeText(edtQuality, "abc");
    EXPECT_EQ(w.main.QualityPosition(), 75);
    EXPECT_EQ(w.Text(edtQuality), "abc");
    w.main.ChangeText(edtQuality, "");
    EXPECT_EQ(w.main.QualityPosition(), 75);

    w.main.MoveQuality(20);
    EXPECT_EQ(w.Text(edtQuality), "20");
    EXPECT_EQ(w.Text(srbQuality), "20");
    EXPECT_TRUE(w.platform.calls.empty());

    w.main.Click(rdbPng);
    EXPECT_TRUE(w.Checked(rdbPng));
    EXPECT_FALSE(w.Checked(rdbJpeg));
    for (ControlId control : {lblQuality, lblLow, lblHigh, srbQuality, edtQuality}) {
        EXPECT_FALSE(w.Enabled(control));
    }
    w.main.Click(rdbJpeg);
    w.main.Click(rdbBmp);
    EXPECT_FALSE(w.Enabled(srbQuality));
    EXPECT_TRUE(w.Checked(rdbBmp));
}

TEST(MainEvents, CheckBoxesHtmlButtonAndDialogs)
{
    MainWindow w;
    w.main.Click(ckbShuffle);
    w.main.Click(ckbBrightness);
    EXPECT_TRUE(w.Checked(ckbShuffle));
    EXPECT_FALSE(w.Checked(ckbShadeOff));
    EXPECT_TRUE(w.Checked(ckbBrightness));
    w.main.Click(ckbShuffle);
    EXPECT_FALSE(w.Checked(ckbShuffle));

    w.main.Click(chbHtml);
    EXPECT_TRUE(w.Checked(chbHtml));
    EXPECT_TRUE(w.Enabled(bbnHtml));
    TfrmHtml* shownDialog = nullptr;
    w.platform.htmlDialog = [&](TfrmHtml& dialog) {
        shownDialog = &dialog;
        return false;
    };
    w.main.Click(bbnHtml);
    EXPECT_EQ(shownDialog, &w.frmHtml);
    w.main.Click(chbHtml);
    EXPECT_FALSE(w.Enabled(bbnHtml));

    w.main.Click(bbnAbout);
    EXPECT_EQ(w.platform.calls, std::vector<std::string>{"about"});
    w.main.Click(bbnExit);
    EXPECT_TRUE(w.platform.closed);
}

TEST(MainEvents, FileAndFolderChoicesFillTheirFieldsOnlyWhenConfirmed)
{
    MainWindow w;
    w.main.Click(bbnBrows);
    EXPECT_EQ(w.Text(edtFileName), "");
    w.platform.pictureFile = "/home/u/pics/cat.png";
    w.main.Click(bbnBrows);
    EXPECT_EQ(w.Text(edtFileName), "/home/u/pics/cat.png");

    w.main.Click(rdbSelectImageFolder);
    w.main.Click(bbnSelectImageFolder);
    EXPECT_EQ(w.Text(edtSelectImageFolder), "");
    w.platform.folderChosen = true;
    w.platform.chosenFolder = "/home/u/pics";
    w.main.Click(bbnSelectImageFolder);
    EXPECT_EQ(w.Text(edtSelectImageFolder), "/home/u/pics");
    w.platform.chosenFolder = "/tmp/out";
    w.main.Click(bbnOut);
    EXPECT_EQ(w.Text(edtOutDirectory), "/tmp/out");

    EXPECT_EQ(w.platform.calls,
              (std::vector<std::string>{
                  "focus: " + std::to_string(static_cast<int>(edtSelectImageFolder)),
                  "folder dialog: イメージファイルのあるフォルダの選択 from /",
                  "folder dialog: イメージファイルのあるフォルダの選択 from /",
                  "folder dialog: 出力先フォルダの選択 from /"}));
}

TEST(MainEvents, DroppedFileLandsInTheFileFieldWhateverTheSource)
{
    MainWindow w;
    w.main.Click(rdbSelectImageFolder);
    w.main.DropFiles({"/data/a.jpg", "/data/b.jpg"});
    EXPECT_EQ(w.Text(edtFileName), "/data/a.jpg");
    EXPECT_TRUE(w.Checked(rdbSelectImageFolder));
    w.main.DropFiles({});
    EXPECT_EQ(w.Text(edtFileName), "/data/a.jpg");

    // At most 259 characters are taken; a character is never cut in half.
    std::string longPath = "/";
    for (int i = 0; i < 300; ++i) {
        longPath += "画";
    }
    w.main.DropFiles({longPath});
    std::string expected = "/";
    for (int i = 0; i < 258; ++i) {
        expected += "画";
    }
    EXPECT_EQ(w.Text(edtFileName), expected);
    const std::string exact(259, 'a');
    w.main.DropFiles({exact});
    EXPECT_EQ(w.Text(edtFileName), exact);
}

TEST(MainEvents, HelpOpensThePageBesideTheProgramOrSaysWhatIsMissing)
{
    const std::string hint =
        "\r\n\r\nﾍﾙﾌﾟを見るためには実行ﾌｧｲﾙのあるﾌｫﾙﾀﾞの中に\r\nWodnu.html がなければいけません\r\n";
    TempFolder folder;
    const auto workingFolder = std::filesystem::current_path();
    MainWindow w;
    w.platform.executableFolder = folder.Path() + "/";
    w.main.Click(bbnHelp);
    EXPECT_EQ(w.platform.openedDocuments, std::vector<std::string>{folder.Path() + "/Wodnu.html"});
    EXPECT_TRUE(w.platform.errorBoxes.empty());

    w.platform.openDocumentAnswer = kDocumentNotFound;
    w.main.Click(bbnHelp);
    EXPECT_EQ(w.platform.errorBoxes, std::vector<std::string>{"Wodnu.html が見つかりません" + hint});

    w.platform.executableFolder = folder / "gone/";
    w.main.Click(bbnHelp);
    EXPECT_EQ(w.platform.errorBoxes.back(), folder / "gone/ が見つかりません" + hint);
    EXPECT_EQ(w.platform.openedDocuments.size(), 2u);
    EXPECT_EQ(std::filesystem::current_path(), workingFolder);
}

TEST(MainEvents, HelpPageIsLookedForBesideTheProgramThenInTheInstalledDataFolder)
{
    TempFolder root;
    std::filesystem::create_directories(root / "bin");
    std::filesystem::create_directories(root / "share/quillmore");
    root.Write("share/quillmore/Wodnu.html", "");
    MainWindow w;
    w.platform.executableFolder = root / "bin/";
    w.main.Click(bbnHelp);
    root.Write("bin/Wodnu.html", "");
    w.main.Click(bbnHelp);
    EXPECT_EQ(w.platform.openedDocuments,
              (std::vector<std::string>{root / "share/quillmore/Wodnu.html", root / "bin/Wodnu.html"}));
}

}  // namespace
}  // namespace qm
