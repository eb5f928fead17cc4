// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "DesktopFixture.h"
#include "gui/PreviewWindow.h"
#include "imageio/ImageFiles.h"

namespace qm::test {
namespace {

using enum ControlId;
using PreviewTest = DesktopFixture;

// Whether condition holds within a few seconds, the events handled meanwhile.
template <typename Condition>
bool Eventually(Condition condition)
{
    return QTest::qWaitFor(condition, 5000);
}

QString TextOf(QWidget* window, const char* label)
{
    return window->findChild<QLabel*>(QString::fromLatin1(label))->text();
}

void PressViewButton(QWidget* window, const char* name)
{
    QTest::mouseClick(window->findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
}

TEST_F(PreviewTest, FollowsTheSettingsRerollsSavesAndShowsProblemsAsText)
{
    ModalAnswerer answerer;
    PreviewWindow& preview = app_->Window().Preview();
    Type(edtFileName, Temp(QStringLiteral("missing.png")));
    PressViewButton(&app_->Window(), kPreviewButton);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    EXPECT_TRUE(Eventually([&] {
        return TextOf(&preview, "lblProblem") ==
               "ファイルが見つかりません\n" + Temp(QStringLiteral("missing.png"));
    }));
    EXPECT_FALSE(preview.findChild<QPushButton*>("bbnSave")->isEnabled());

    Type(edtFileName, WritePicture(QStringLiteral("source.png"), 400, 300));
    EXPECT_TRUE(Eventually([&] { return preview.ShownTile().Width() > 0; }));
    EXPECT_TRUE(TextOf(&preview, "lblProblem").isEmpty());
    const QString size = QStringLiteral("タイル %1 × %2 ピクセル")
                             .arg(preview.ShownTile().Width())
                             .arg(preview.ShownTile().Height());
    EXPECT_TRUE(TextOf(&preview, "lblStatus").startsWith(size));

    const Image kaleidoscope = preview.ShownTile();
    Methods()->setCurrentIndex(7);
    EXPECT_TRUE(Eventually([&] { return !(preview.ShownTile() == kaleidoscope); }));
    Methods()->setCurrentIndex(0);
    EXPECT_TRUE(Eventually([&] { return preview.ShownTile() == kaleidoscope; }));

    Type(edtSizeY, QStringLiteral("64"));
    EXPECT_TRUE(Eventually([&] { return preview.ShownTile().Width() > kaleidoscope.Width(); }));
    const QString status = TextOf(&preview, "lblStatus");
    PressViewButton(&preview, "bbnReroll");
    EXPECT_TRUE(Eventually([&] { return TextOf(&preview, "lblStatus") != status; }));

    preview.findChild<QCheckBox*>("ckbOutline")->setChecked(true);
    auto* zoom = preview.findChild<QComboBox*>("cmbZoom");
    zoom->setCurrentIndex(zoom->findData(200));
    SaveScreenshot(&preview, QStringLiteral("preview-window"));

    preview.SaveTileAs(Temp(QStringLiteral("liked.bmp")));
    EXPECT_EQ(LoadImageFile(Temp(QStringLiteral("liked.bmp")).toStdString()), preview.ShownTile());

    // While a run goes on, the worker does not start; afterwards it does.
    app_->Desktop().SetBusy(true);
    EXPECT_FALSE(preview.isEnabled());
    const Image beforeRun = preview.ShownTile();
    Methods()->setCurrentIndex(7);
    QTest::qWait(200);
    EXPECT_TRUE(preview.ShownTile() == beforeRun);
    app_->Desktop().SetBusy(false);
    EXPECT_TRUE(preview.isEnabled());
    EXPECT_TRUE(Eventually([&] { return !(preview.ShownTile() == beforeRun); }));

    Type(edtSizeY, QStringLiteral("512"));
    EXPECT_TRUE(Eventually([&] { return !TextOf(&preview, "lblProblem").isEmpty(); }));
    EXPECT_TRUE(answerer.boxes.empty());
}

// Dragging on the source pane moves the cut, kept inside the picture, and
// the tile follows.
TEST_F(PreviewTest, DragOnTheSourcePaneMovesTheCut)
{
    PreviewWindow& preview = app_->Window().Preview();
    Type(edtFileName, WritePicture(QStringLiteral("source.png"), 400, 300));
    PressViewButton(&app_->Window(), kPreviewButton);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    ASSERT_TRUE(Eventually([&] { return preview.ShownTile().Width() > 0; }));
    auto* pane = preview.findChild<QWidget*>(QStringLiteral("sourcePane"));
    ASSERT_NE(pane, nullptr);

    QTest::mousePress(pane, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_TRUE(Eventually([&] { return TextOf(&preview, "lblStatus").contains("(0, 0)"); }))
        << TextOf(&preview, "lblStatus").toStdString();
    const Image corner = preview.ShownTile();
    QMouseEvent move(QEvent::MouseMove, QPointF(pane->width() - 1, pane->height() - 1),
                     pane->mapToGlobal(QPointF(pane->width() - 1, pane->height() - 1)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pane, &move);
    QTest::mouseRelease(pane, Qt::LeftButton, {}, QPoint(pane->width() - 1, pane->height() - 1));
    EXPECT_TRUE(Eventually([&] { return TextOf(&preview, "lblStatus").contains("(368, 268)"); }))
        << TextOf(&preview, "lblStatus").toStdString();
    EXPECT_FALSE(preview.ShownTile() == corner);
    SaveScreenshot(&preview, QStringLiteral("preview-source-pane"));

    // Made there with the radius 0, every tile is the one shown.
    Type(edtMake, QStringLiteral("2"));
    Type(edtOutDirectory, folder_.path());
    const Image placed = preview.ShownTile();
    ASSERT_TRUE(Eventually([&] { return preview.findChild<QPushButton*>("bbnMakeHere")->isEnabled(); }));
    ModalAnswerer answerer;
    PressViewButton(&preview, "bbnMakeHere");
    ASSERT_EQ(answerer.boxes.size(), 1U);
    EXPECT_EQ(answerer.boxes[0].text, QStringLiteral("作成しました。"));
    EXPECT_EQ(LoadImageFile(Temp(QStringLiteral("image002.bmp")).toStdString()), placed);
}

TEST_F(PreviewTest, ExtendedSettingsDialogStoresACheckedRowsJudgedValue)
{
    ModalAnswerer answerer;
    answerer.Then([](QWidget* dialog) {
        SaveScreenshot(dialog, QStringLiteral("extended-dialog"));
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("拡張設定"));
        auto* gallery = dialog->findChild<QCheckBox*>("ckbExtended0");
        auto* name = dialog->findChild<QLineEdit*>("edtExtended0");
        EXPECT_EQ(gallery->text(), QStringLiteral("ギャラリーページ"));
        EXPECT_EQ(name->text(), QStringLiteral("gallery.html"));
        EXPECT_FALSE(name->isEnabled());
        gallery->setChecked(true);
        EXPECT_TRUE(name->isEnabled());
        name->clear();
        dialog->findChild<QPushButton*>("BitBtn1")->click();
        EXPECT_TRUE(dialog->isVisible());
        name->setText(QStringLiteral("tiles.html"));
        dialog->findChild<QPushButton*>("BitBtn1")->click();
    });
    PressViewButton(&app_->Window(), kExtendedButton);
    ASSERT_EQ(answerer.boxes.size(), 1U);
    EXPECT_EQ(answerer.boxes[0].text, QStringLiteral("ファイル名を指定して下さい。"));
    EXPECT_TRUE(app_->Model().Extended().Gallery);
    EXPECT_EQ(app_->Model().Extended().GalleryName, "tiles.html");
    EXPECT_EQ(answerer.unanswered, 0);
}

// The groups' row puts the seventeen groups after the methods in the
// window's list; the repeat's list lays out the tile the preview shows.
TEST_F(PreviewTest, ExtendedSettingsBringTheGroupsIntoTheListAndTheRepeatIntoThePreview)
{
    PreviewWindow& preview = app_->Window().Preview();
    Type(edtFileName, WritePicture(QStringLiteral("source.png"), 400, 300));
    PressViewButton(&app_->Window(), kPreviewButton);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    ASSERT_TRUE(Eventually([&] { return preview.ShownTile().Width() > 0; }));
    const Image block = preview.ShownTile();
    const int methods = Methods()->count();

    ModalAnswerer answerer;
    answerer.Then([](QWidget* dialog) {
        auto* groups = dialog->findChild<QCheckBox*>("ckbExtended8");
        auto* layout = dialog->findChild<QComboBox*>("cmbExtended9");
        EXPECT_EQ(groups->text(), QStringLiteral("壁紙群の模様"));
        ASSERT_EQ(layout->count(), 4);
        EXPECT_EQ(layout->currentText(), QStringLiteral("ブロック"));
        groups->setChecked(true);
        layout->setCurrentIndex(3);
        SaveScreenshot(dialog, QStringLiteral("extended-dialog-groups"));
        dialog->findChild<QPushButton*>("BitBtn1")->click();
    });
    PressViewButton(&app_->Window(), kExtendedButton);
    EXPECT_EQ(answerer.unanswered, 0);
    ASSERT_EQ(Methods()->count(), methods + 17);
    EXPECT_EQ(Methods()->itemText(methods), QStringLiteral("p1 平行移動"));
    EXPECT_EQ(Methods()->itemText(methods + 16), QStringLiteral("p6m 六角形の鏡映"));
    EXPECT_TRUE(Eventually([&] {
        return preview.ShownTile().Width() == 2 * block.Width() &&
               preview.ShownTile().Height() == 2 * block.Height();
    }));
    // The longest item.
    Methods()->setCurrentIndex(methods + 11);
    SaveScreenshot(&app_->Window(), QStringLiteral("main-window-groups"));
    Methods()->setCurrentIndex(methods + 16);
    EXPECT_TRUE(Eventually([&] { return preview.ShownTile().Width() == 2 * 64; }));
}

// A repeat size in inches is refused without a resolution, the focus on
// the resolution's row; the preview then shows the smoothed tile at the
// repeat size, fitted to the view while it is larger.
TEST_F(PreviewTest, PrintSettingsInTheDialogAndThePreview)
{
    ModalAnswerer answerer;
    answerer.Then([](QWidget* dialog) {
        const auto child = [dialog](const char* name) {
            return dialog->findChild<QWidget*>(QString::fromLatin1(name));
        };
        EXPECT_EQ(qobject_cast<QCheckBox*>(child("ckbExtended16"))->text(),
                  QStringLiteral("リピートの大きさ"));
        qobject_cast<QCheckBox*>(child("ckbExtended16"))->setChecked(true);
        qobject_cast<QLineEdit*>(child("edtExtended16"))->setText(QStringLiteral("3"));
        auto* unit = qobject_cast<QComboBox*>(child("cmbExtended16"));
        unit->setCurrentIndex(unit->findData(QStringLiteral("in")));
        qobject_cast<QCheckBox*>(child("ckbExtended15"))->setChecked(true);
        qobject_cast<QSpinBox*>(child("spnExtended15"))->setValue(2);
        SaveScreenshot(dialog, QStringLiteral("extended-dialog-print"));
        dialog->findChild<QPushButton*>("BitBtn1")->click();
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->focusWidget(), child("ckbExtended7"));
        qobject_cast<QLineEdit*>(child("edtExtended16"))->setText(QStringLiteral("1000"));
        unit->setCurrentIndex(unit->findData(QStringLiteral("px")));
        dialog->findChild<QPushButton*>("BitBtn1")->click();
    });
    PressViewButton(&app_->Window(), kExtendedButton);
    ASSERT_EQ(answerer.boxes.size(), 1U);
    EXPECT_EQ(answerer.boxes[0].text, QStringLiteral("解像度 (dpi) を指定して下さい"));
    EXPECT_TRUE(app_->Model().Extended().Smooth);
    EXPECT_EQ(app_->Model().Extended().SmoothFactor, 2);
    EXPECT_EQ(app_->Model().Extended().RepeatSizeText, "1000px");

    // The kaleidoscope's tile of a cut of 256 is 768 x 442.
    Type(edtFileName, WritePicture(QStringLiteral("source.png"), 400, 300));
    Type(edtSizeY, QStringLiteral("256"));
    PreviewWindow& preview = app_->Window().Preview();
    PressViewButton(&app_->Window(), kPreviewButton);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    EXPECT_TRUE(Eventually([&] { return preview.ShownTile().Width() == 1000; }));
    EXPECT_EQ(preview.ShownTile().Height(), 576);
    EXPECT_EQ(preview.findChild<QComboBox*>("cmbZoom")->currentData().toInt(), 0);
    SaveScreenshot(&preview, QStringLiteral("preview-print"));
}

}  // namespace
}  // namespace qm::test
