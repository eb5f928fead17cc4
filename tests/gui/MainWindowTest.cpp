// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include <utility>

#include "DesktopFixture.h"
#include "gui/CommandLine.h"

namespace qm::test {
namespace {

using enum ControlId;
using MainWindowTest = DesktopFixture;

struct Expected {
    ControlId control;
    const char* name;
    const char* text;
    bool checked;
    bool enabled;
};

QString ShownText(QWidget* widget)
{
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        return button->text();
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        return edit->text();
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return label->text();
    }
    if (auto* list = qobject_cast<QComboBox*>(widget)) {
        return list->currentText();
    }
    if (auto* bar = qobject_cast<QScrollBar*>(widget)) {
        return QString::number(bar->value());
    }
    return {};
}

TEST_F(MainWindowTest, StartsWithEveryControlInItsPlaceAndState)
{
    MainWindow& window = app_->Window();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quillmore"));
    EXPECT_EQ(window.size(), QSize(641, 396));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(window.acceptDrops());
    // "ＭＳ Ｐゴシック" 12 px, or the Japanese Gothic face standing in for it.
    const QFontInfo font(Widget(rdbImageFile)->font());
    EXPECT_EQ(font.pixelSize(), 12);
    EXPECT_TRUE(QStringList({"ＭＳ Ｐゴシック", "IPAPGothic", "Noto Sans CJK JP"}).contains(font.family()))
        << font.family().toStdString();
    SaveScreenshot(&window, QStringLiteral("main-window"));

    const Expected expected[] = {
        {rdbImageFile, "rdbImageFile", "指定のイメージファイル", true, true},
        {bbnBrows, "bbnBrows", "参照(&B)...", false, true},
        {edtFileName, "edtFileName", "", false, true},
        {rdbSelectImageFolder, "rdbSelectImageFolder", "指定フォルダのイメージファイル", false, true},
        {bbnSelectImageFolder, "bbnSelectImageFolder", "参照...", false, false},
        {edtSelectImageFolder, "edtSelectImageFolder", "", false, false},
        {rdbSelectImageClipBoard, "rdbSelectImageClipBoard", "クリップボードのイメージ", false, true},
        {rdbBasic, "rdbBasic", "基本変換(&F)", true, true},
        {cmbTransMethod, "cmbTransMethod", "万華鏡風", false, true},
        {bbnDetail, "bbnDetail", "詳細(&Z)...", false, false},
        {rdbDll, "rdbDll", "外部変換(&E)", false, true},
        {edtDll, "edtDll", "", false, false},
        {bbnDll, "bbnDll", "参照(&R)...", false, false},
        {ckbShuffle, "ckbShuffle", "シャッフルする(&S)", false, true},
        {ckbShadeOff, "ckbShadeOff", "ぼかす(おすすめ)", false, true},
        {ckbBrightness, "ckbBrightness", "明るさ変更", false, true},
        {lblSizeY, "lblSizeY", "縦(&V)", false, true},
        {edtSizeY, "edtSizeY", "32", false, true},
        {lblSizeX, "lblSizeX", "横(&L)", false, false},
        {edtSizeX, "edtSizeX", "32", false, false},
        {edtMake, "edtMake", "1", false, true},
        {edtPrefix, "edtPrefix", "image", false, true},
        {rdbBmp, "rdbBmp", "BMP(&I)", true, true},
        {rdbJpeg, "rdbJpeg", "Jpeg(&J)", false, true},
        {lblQuality, "lblQuality", "品質(&Q)", false, false},
        {lblLow, "lblLow", "低", false, false},
        {lblHigh, "lblHigh", "高", false, false},
        {srbQuality, "srbQuality", "50", false, false},
        {edtQuality, "edtQuality", "50", false, false},
        {rdbPng, "rdbPng", "PNG(&P)", false, true},
        {rdbTiff, "rdbTiff", "TIFF", false, true},
        {chbHtml, "chbHtml", "HTMLを出力する(&H)", false, true},
        {bbnHtml, "bbnHtml", "設定...", false, false},
        {edtOutDirectory, "edtOutDirectory", "", false, true},
        {bbnOut, "bbnOut", "参照(&D)...", false, true},
        {bbnExecute, "bbnExecute", "作成(&C)", false, true},
        {bbnExit, "bbnExit", "終了(&X)", false, true},
        {bbnAbout, "bbnAbout", "情報(&A)...", false, true},
        {bbnHelp, "bbnHelp", "ヘルプ(&Y)", false, true},
    };
    ASSERT_EQ(std::size(expected), kControlCount);
    for (const Expected& control : expected) {
        SCOPED_TRACE(control.name);
        QWidget* widget = Widget(control.control);
        EXPECT_EQ(widget->objectName(), QString::fromLatin1(control.name));
        EXPECT_EQ(ShownText(widget), QString::fromUtf8(control.text));
        EXPECT_EQ(widget->isEnabled(), control.enabled);
        // TIFF is shown only with its extended setting.
        EXPECT_EQ(widget->isVisible(), control.control != rdbTiff);
        if (auto* button = qobject_cast<QAbstractButton*>(widget); button && button->isCheckable()) {
            EXPECT_EQ(button->isChecked(), control.checked);
        }
    }

    QStringList items;
    for (int i = 0; i < Methods()->count(); ++i) {
        items.append(Methods()->itemText(i));
    }
    EXPECT_EQ(items, (QStringList{"万華鏡風", "絨毯風", "テーブルクロス風", "タイル風", "花柄", "歪四角",
                                  "長方形", "無変換"}));
    EXPECT_FALSE(Methods()->isEditable());
    EXPECT_EQ(QualityBar()->minimum(), 1);
    EXPECT_EQ(QualityBar()->maximum(), 100);
    EXPECT_EQ(QualityBar()->pageStep(), 10);

    EXPECT_EQ(Widget(bbnBrows)->toolTip(), QStringLiteral("ダイアログからファイルを選択します。"));
    EXPECT_EQ(Widget(edtFileName)->toolTip(),
              QStringLiteral("参照ボタンでファイルを選択するか、ファイル名を入力して下さい。"));
    EXPECT_EQ(Widget(edtOutDirectory)->toolTip(),
              QStringLiteral("画像ファイルとHTMLファイルの出力先を指定します。"));
    EXPECT_EQ(Widget(bbnOut)->toolTip(), QStringLiteral("出力先をダイアログから選択します。"));
    for (ControlId number : {edtSizeY, edtSizeX, edtMake, edtQuality}) {
        EXPECT_EQ(Edit(number)->maxLength(), 3);
        EXPECT_FALSE(Edit(number)->testAttribute(Qt::WA_InputMethodEnabled));
    }
    EXPECT_TRUE(qobject_cast<QPushButton*>(Widget(bbnExecute))->isDefault());
    EXPECT_EQ(app_->Model().RotateNum(), 3);
}

TEST_F(MainWindowTest, TabOrderFollowsTheGroupsAndControls)
{
    // Disabled controls are skipped as the Tab key skips them.
    const QStringList expected{"rdbImageFile", "bbnBrows",    "edtFileName",   "rdbBasic",
                               "cmbTransMethod", "ckbShuffle", "ckbShadeOff", "ckbBrightness",
                               "edtSizeY",     "edtMake",     "edtPrefix",     "rdbBmp",
                               "chbHtml",      "edtOutDirectory", "bbnOut",    "bbnExecute",
                               "bbnExit",      "bbnPreview",  "bbnExtended",   "bbnAbout",
                               "bbnHelp",      "rdbImageFile"};
    Widget(rdbImageFile)->setFocus();
    QStringList visited{Focused()->objectName()};
    while (visited.size() < expected.size()) {
        QTest::keyClick(Focused(), Qt::Key_Tab);
        visited.append(Focused()->objectName());
    }
    EXPECT_EQ(visited, expected);
}

TEST_F(MainWindowTest, FieldsAndListsFollowTheModelRules)
{
    Type(edtSizeY, QStringLiteral("64"));
    EXPECT_EQ(Edit(edtSizeX)->text(), QStringLiteral("64"));

    Methods()->setCurrentIndex(6);  // 長方形
    EXPECT_TRUE(Edit(edtSizeX)->isEnabled());
    EXPECT_TRUE(Widget(lblSizeX)->isEnabled());
    Type(edtSizeX, QStringLiteral("40"));
    Type(edtSizeY, QStringLiteral("48"));
    EXPECT_EQ(Edit(edtSizeX)->text(), QStringLiteral("40"));
    EXPECT_FALSE(Widget(bbnDetail)->isEnabled());

    Methods()->setCurrentIndex(4);  // 花柄
    EXPECT_EQ(Edit(edtSizeX)->text(), QStringLiteral("48"));
    EXPECT_FALSE(Edit(edtSizeX)->isEnabled());

    Methods()->setFocus();
    QTest::keyClick(Methods(), Qt::Key_Down);  // 歪四角
    EXPECT_EQ(app_->Model().SelectedMethod(), 5);
    EXPECT_TRUE(Widget(bbnDetail)->isEnabled());

    Click(rdbDll);
    EXPECT_TRUE(Button(rdbDll)->isChecked());
    EXPECT_FALSE(Button(rdbBasic)->isChecked());
    EXPECT_TRUE(Edit(edtDll)->isEnabled());
    EXPECT_FALSE(Methods()->isEnabled());
    EXPECT_EQ(Focused(), Widget(edtDll));
    EXPECT_TRUE(Widget(bbnDetail)->isEnabled());

    Click(rdbSelectImageFolder);
    EXPECT_TRUE(Edit(edtSelectImageFolder)->isEnabled());
    EXPECT_FALSE(Edit(edtFileName)->isEnabled());
    EXPECT_EQ(Focused(), Widget(edtSelectImageFolder));
    Click(rdbSelectImageClipBoard);
    EXPECT_FALSE(Edit(edtSelectImageFolder)->isEnabled());
    EXPECT_FALSE(Widget(bbnBrows)->isEnabled());
    EXPECT_TRUE(Button(rdbSelectImageClipBoard)->isChecked());
    EXPECT_FALSE(Button(rdbImageFile)->isChecked());
}

TEST_F(MainWindowTest, QualityFieldAndBarMoveTogether)
{
    Click(rdbJpeg);
    for (ControlId control : {lblQuality, lblLow, lblHigh, srbQuality, edtQuality}) {
        EXPECT_TRUE(Widget(control)->isEnabled());
    }
    Type(edtQuality, QStringLiteral("0"));
    EXPECT_EQ(Edit(edtQuality)->text(), QStringLiteral("1"));
    EXPECT_EQ(QualityBar()->value(), 1);
    Type(edtQuality, QStringLiteral("150"));
    EXPECT_EQ(Edit(edtQuality)->text(), QStringLiteral("100"));
    EXPECT_EQ(QualityBar()->value(), 100);
    Type(edtQuality, QStringLiteral("abc"));
    EXPECT_EQ(Edit(edtQuality)->text(), QStringLiteral("abc"));
    EXPECT_EQ(QualityBar()->value(), 100);

    QualityBar()->setFocus();
    QTest::keyClick(QualityBar(), Qt::Key_PageUp);
    EXPECT_EQ(QualityBar()->value(), 90);
    EXPECT_EQ(Edit(edtQuality)->text(), QStringLiteral("90"));
    EXPECT_EQ(app_->Model().QualityPosition(), 90);
    const std::pair<Qt::Key, int> keys[] = {
        {Qt::Key_Left, 89}, {Qt::Key_Up, 88},        {Qt::Key_Right, 89}, {Qt::Key_Down, 90},
        {Qt::Key_PageDown, 100}, {Qt::Key_Home, 1}, {Qt::Key_End, 100}, {Qt::Key_PageUp, 90},
    };
    for (const auto& [key, position] : keys) {
        QTest::keyClick(QualityBar(), key);
        EXPECT_EQ(Edit(edtQuality)->text(), QString::number(position)) << key;
    }

    Click(rdbPng);
    EXPECT_FALSE(QualityBar()->isEnabled());
    EXPECT_FALSE(Edit(edtQuality)->isEnabled());
    EXPECT_TRUE(Button(rdbPng)->isChecked());
    EXPECT_FALSE(Button(rdbJpeg)->isChecked());
}

TEST_F(MainWindowTest, TiffButtonShowsOnlyWithItsSettingAndLeavesTheWindowAsItWasWithout)
{
    MainWindow& window = app_->Window();
    QWidget* focused = Focused();
    const QImage before = window.grab().toImage();
    app_->Model().Extended().TiffOutput = true;
    app_->Model().ExtendedSettingsChanged();
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(Widget(rdbTiff)->isVisible());
    SaveScreenshot(&window, QStringLiteral("main-window-tiff"));
    // Clicked without the mouse, which would leave a hover behind.
    Button(rdbJpeg)->click();
    Button(rdbTiff)->click();
    EXPECT_TRUE(Button(rdbTiff)->isChecked());
    EXPECT_FALSE(Button(rdbJpeg)->isChecked());
    EXPECT_FALSE(QualityBar()->isEnabled());

    app_->Model().Extended().TiffOutput = false;
    app_->Model().ExtendedSettingsChanged();
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(Widget(rdbTiff)->isVisible());
    EXPECT_TRUE(Button(rdbBmp)->isChecked());
    focused->setFocus();
    EXPECT_TRUE(window.grab().toImage() == before);
}

TEST_F(MainWindowTest, HtmlButtonFollowsItsCheckBox)
{
    Click(chbHtml);
    EXPECT_TRUE(Button(chbHtml)->isChecked());
    EXPECT_TRUE(Widget(bbnHtml)->isEnabled());
    Click(chbHtml);
    EXPECT_FALSE(Button(chbHtml)->isChecked());
    EXPECT_FALSE(Widget(bbnHtml)->isEnabled());
    // The accelerator reaches the same rule.
    QTest::keyClick(&app_->Window(), Qt::Key_H, Qt::AltModifier);
    // A mnemonic presses its button visibly, so the click comes a moment later.
    EXPECT_TRUE(QTest::qWaitFor([this] { return Button(chbHtml)->isChecked(); }, 2000));
    EXPECT_TRUE(Widget(bbnHtml)->isEnabled());
}

TEST_F(MainWindowTest, DroppedFileLandsInTheFileField)
{
    Click(rdbSelectImageFolder);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/first picture.png")),
                  QUrl::fromLocalFile(QStringLiteral("/tmp/second.png"))});
    MainWindow& window = app_->Window();
    const QPoint at = Widget(edtPrefix)->mapTo(&window, QPoint(4, 4));
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    EXPECT_TRUE(drop.isAccepted());

    EXPECT_EQ(Edit(edtFileName)->text(), QStringLiteral("/tmp/first picture.png"));
    EXPECT_TRUE(Button(rdbSelectImageFolder)->isChecked());

    QMimeData text;
    text.setText(QStringLiteral("not a file"));
    QDragEnterEvent refused(at, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &refused);
    EXPECT_FALSE(refused.isAccepted());
}

TEST_F(MainWindowTest, PictureOnTheCommandLineLandsInTheFileFieldAsADroppedFile)
{
    EXPECT_FALSE(PictureArgument({QStringLiteral("quillmore")}));
    const std::optional<std::string> picture =
        PictureArgument({QStringLiteral("quillmore"), QStringLiteral("/tmp/first picture.png")});
    ASSERT_TRUE(picture);
    app_->Window().TakeFiles({*picture});
    EXPECT_EQ(Edit(edtFileName)->text(), QStringLiteral("/tmp/first picture.png"));
}

TEST_F(MainWindowTest, EnterPressesTheMakeButtonAndExitCloses)
{
    ModalAnswerer answerer;
    Edit(edtPrefix)->setFocus();
    QTest::keyClick(Edit(edtPrefix), Qt::Key_Return);
    ASSERT_EQ(answerer.boxes.size(), 1U);
    EXPECT_EQ(answerer.boxes[0].text, QStringLiteral("ファイルが見つかりません\n"));
    EXPECT_EQ(Focused(), Widget(edtFileName));

    Click(bbnExit);
    EXPECT_FALSE(app_->Window().isVisible());
}

}  // namespace
}  // namespace qm::test
