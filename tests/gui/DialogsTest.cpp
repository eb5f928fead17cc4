// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "DesktopFixture.h"
#include "UrlRecorder.h"
#include "gui/PictureFileDialog.h"

namespace qm::test {
namespace {

using enum ControlId;
using DialogsTest = DesktopFixture;

QLineEdit* FieldOf(QWidget* dialog, const char* name)
{
    return dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
}

void Press(QWidget* dialog, const char* button)
{
    dialog->findChild<QPushButton*>(QString::fromLatin1(button))->click();
}

QStringList LabelsOf(QWidget* dialog)
{
    QStringList texts;
    for (const QLabel* label : dialog->findChildren<QLabel*>()) {
        texts.append(label->text());
    }
    texts.sort();
    return texts;
}

TEST_F(DialogsTest, HtmlSettingsKeepTypedTextsAndStoreOnlyOnAcceptedOk)
{
    Click(chbHtml);
    ModalAnswerer answerer;
    bool refusedStayedOpen = false;
    answerer.Then([&](QWidget* dialog) {
        SaveScreenshot(dialog, QStringLiteral("html-dialog"));
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("HTML出力の設定"));
        EXPECT_EQ(LabelsOf(dialog),
                  (QStringList{"1行あたりの画像数", "タイトル", "ファイル名", "ポップアップウィンドウのサイズ",
                               "幅", "高さ"}));
        EXPECT_EQ(FieldOf(dialog, "edtTitle")->text(), QStringLiteral("一覧"));
        EXPECT_EQ(FieldOf(dialog, "edtNumOfCol")->text(), QStringLiteral("5"));
        EXPECT_EQ(FieldOf(dialog, "edtSizeWidth")->text(), QStringLiteral("400"));
        EXPECT_EQ(FieldOf(dialog, "edtSizeHeight")->text(), QStringLiteral("400"));
        EXPECT_EQ(FieldOf(dialog, "edtFileName")->text(), QStringLiteral("list.html"));
        EXPECT_EQ(dialog->findChild<QPushButton*>("BitBtn1")->text(), QStringLiteral("了解(&O)"));
        EXPECT_EQ(dialog->findChild<QPushButton*>("BitBtn2")->text(), QStringLiteral("ｷｬﾝｾﾙ(&C)"));
        const QPoint centre = dialog->geometry().center();
        const QPoint mainCentre = app_->Window().geometry().center();
        EXPECT_LE((centre - mainCentre).manhattanLength(), 60);

        FieldOf(dialog, "edtNumOfCol")->setText(QStringLiteral("abc"));
        Press(dialog, "BitBtn1");
        refusedStayedOpen = dialog->isVisible();
        FieldOf(dialog, "edtNumOfCol")->setText(QStringLiteral("0"));
        Press(dialog, "BitBtn1");
        refusedStayedOpen = refusedStayedOpen && dialog->isVisible();
        FieldOf(dialog, "edtNumOfCol")->setText(QStringLiteral("3"));
        FieldOf(dialog, "edtTitle")->setText(QStringLiteral("タイル"));
        Press(dialog, "BitBtn1");
    });
    Click(bbnHtml);
    EXPECT_TRUE(refusedStayedOpen);
    ASSERT_EQ(answerer.boxes.size(), 2U);
    EXPECT_EQ(answerer.boxes[0].title, QStringLiteral("Quillmore"));
    EXPECT_EQ(answerer.boxes[0].icon, QMessageBox::Critical);
    EXPECT_EQ(answerer.boxes[0].text, QStringLiteral("'abc' は整数ではありません"));
    EXPECT_EQ(answerer.boxes[1].title, QStringLiteral("エラー"));
    EXPECT_EQ(answerer.boxes[1].text, QStringLiteral("1行あたりの画像数は1以上の整数にして下さい。"));
    EXPECT_EQ(app_->HtmlSettings().NumOfCol(), 3);
    EXPECT_EQ(app_->HtmlSettings().Title(), "タイル");

    answerer.Then([](QWidget* dialog) {
        EXPECT_EQ(FieldOf(dialog, "edtTitle")->text(), QStringLiteral("タイル"));
        FieldOf(dialog, "edtTitle")->setText(QStringLiteral("下書き"));
        FieldOf(dialog, "edtNumOfCol")->setText(QStringLiteral("x"));
        Press(dialog, "BitBtn2");
    });
    Click(bbnHtml);
    EXPECT_EQ(app_->HtmlSettings().Title(), "タイル");
    EXPECT_EQ(app_->HtmlSettings().NumOfCol(), 3);
    answerer.Then([](QWidget* dialog) {
        EXPECT_EQ(FieldOf(dialog, "edtTitle")->text(), QStringLiteral("下書き"));
        EXPECT_EQ(FieldOf(dialog, "edtNumOfCol")->text(), QStringLiteral("x"));
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    Click(bbnHtml);
    EXPECT_EQ(answerer.boxes.size(), 2U);
    EXPECT_EQ(answerer.unanswered, 0);
}

TEST_F(DialogsTest, RotateNumberTakesOnlyTwoToTwenty)
{
    Methods()->setCurrentIndex(5);  // 歪四角
    ModalAnswerer answerer;
    answerer.Then([](QWidget* dialog) {
        SaveScreenshot(dialog, QStringLiteral("rotate-num-dialog"));
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("歪四角の設定"));
        EXPECT_EQ(LabelsOf(dialog), QStringList{QStringLiteral("変換値(2～20)")});
        EXPECT_EQ(FieldOf(dialog, "edtVal")->text(), QStringLiteral("3"));
        EXPECT_EQ(dialog->findChild<QPushButton*>("bbnOK")->text(), QStringLiteral("了解(&O)"));
        for (const char* wrong : {"21", "2.5", ""}) {
            FieldOf(dialog, "edtVal")->setText(QString::fromLatin1(wrong));
            Press(dialog, "bbnOK");
            EXPECT_TRUE(dialog->isVisible()) << wrong;
        }
        FieldOf(dialog, "edtVal")->setText(QStringLiteral("20"));
        Press(dialog, "bbnOK");
    });
    Click(bbnDetail);
    ASSERT_EQ(answerer.boxes.size(), 3U);
    EXPECT_EQ(answerer.boxes[0].text, QStringLiteral("歪四角の変換値は2～20の整数を指定して下さい。"));
    EXPECT_EQ(app_->Model().RotateNum(), 20);

    answerer.Then([](QWidget* dialog) {
        EXPECT_EQ(FieldOf(dialog, "edtVal")->text(), QStringLiteral("20"));
        FieldOf(dialog, "edtVal")->setText(QStringLiteral("5"));
        Press(dialog, "bbnCancel");
    });
    Click(bbnDetail);
    EXPECT_EQ(app_->Model().RotateNum(), 20);
    EXPECT_EQ(answerer.unanswered, 0);
}

TEST_F(DialogsTest, AboutBoxShowsTitleVersionAndPictures)
{
    ModalAnswerer answerer;
    answerer.Then([](QWidget* box) {
        SaveScreenshot(box, QStringLiteral("about-box"));
        EXPECT_EQ(box->windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
        EXPECT_EQ(box->findChild<QLabel*>("ProductName")->text(), QStringLiteral("Quillmore"));
        EXPECT_EQ(box->findChild<QLabel*>("Version")->text(), QStringLiteral("Version 1.2.0"));
        EXPECT_FALSE(box->findChild<QLabel*>("ProgramIcon")->pixmap().isNull());
        EXPECT_FALSE(box->findChild<QLabel*>("TilePicture")->pixmap().isNull());
        const QRect screen = box->screen()->availableGeometry();
        EXPECT_LE((box->geometry().center() - screen.center()).manhattanLength(), 40);
        auto* ok = box->findChild<QPushButton*>("OKButton");
        EXPECT_TRUE(ok->isDefault());
        EXPECT_EQ(ok->text(), QStringLiteral("&OK"));
        QTest::keyClick(box, Qt::Key_Return);
    });
    Click(bbnAbout);
    EXPECT_EQ(answerer.unanswered, 0);
    EXPECT_TRUE(answerer.boxes.empty());
}

TEST_F(DialogsTest, HelpOpensThePageBesideTheProgramOrSaysItIsMissing)
{
    // The test program's folder holds no help page.
    ModalAnswerer answerer;
    Click(bbnHelp);
    ASSERT_EQ(answerer.boxes.size(), 1U);
    EXPECT_EQ(answerer.boxes[0].title, QStringLiteral("エラー"));
    EXPECT_EQ(answerer.boxes[0].text,
              QStringLiteral("Wodnu.html が見つかりません\n\nﾍﾙﾌﾟを見るためには実行ﾌｧｲﾙのあるﾌｫﾙﾀﾞの中に\n"
                             "Wodnu.html がなければいけません\n"));

    // Present, the page goes to the desktop's handler for files.
    const std::string folder = folder_.path().toStdString() + "/";
    EXPECT_EQ(app_->Desktop().OpenDocument("Wodnu.html", "", folder), 2);
    QFile page(Temp(QStringLiteral("Wodnu.html")));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.close();
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder, "Open");
    EXPECT_GT(app_->Desktop().OpenDocument("Wodnu.html", "", folder), 32);
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    ASSERT_EQ(recorder.opened.size(), 1);
    EXPECT_EQ(recorder.opened[0], QUrl::fromLocalFile(Temp(QStringLiteral("Wodnu.html"))));
    EXPECT_EQ(app_->Desktop().ExecutableFolder(),
              (QCoreApplication::applicationDirPath() + QLatin1Char('/')).toStdString());
}

TEST_F(DialogsTest, PictureChooserShowsTheFiltersAsNamedAndPreviewsPictures)
{
    WritePicture(QStringLiteral("a.png"), 64, 48);
    PictureFileDialog dialog(&app_->Window());
    auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(types, nullptr);
    QStringList shown;
    for (int i = 0; i < types->count(); ++i) {
        shown.append(types->itemText(i));
    }
    EXPECT_EQ(shown, (QStringList{"すべてのﾌｧｲﾙ (*.bmp;*.jpg;*jpeg;*.png)", "BitmapFile (*.bmp)",
                                  "JpegFile (*.jpg:jpeg)", "PNG File (*png)",
                                  "HEIF, AVIF, WebP, TIFF (*.heic;*.heif;*.avif;*.webp;*.tif;*.tiff)"}));
    EXPECT_EQ(types->currentIndex(), 0);
    EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);

    dialog.setDirectory(folder_.path());
    dialog.show();
    dialog.selectFile(Temp(QStringLiteral("a.png")));
    emit dialog.currentChanged(Temp(QStringLiteral("a.png")));
    EXPECT_FALSE(dialog.Preview()->pixmap().isNull());
    SaveScreenshot(&dialog, QStringLiteral("picture-file-dialog"));
    emit dialog.currentChanged(Temp(QStringLiteral("missing.png")));
    EXPECT_TRUE(dialog.Preview()->pixmap().isNull());
    dialog.reject();
}

}  // namespace
}  // namespace qm::test
