// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QImage>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "DesktopFixture.h"

namespace qm::test {
namespace {

using enum ControlId;
using MakeActionTest = DesktopFixture;

TEST_F(MakeActionTest, MakesTheTilesAndThePageAndReportsCompletion)
{
    const QString source = WritePicture(QStringLiteral("source.png"), 200, 150);
    Type(edtFileName, source);
    Type(edtMake, QStringLiteral("3"));
    Type(edtPrefix, QStringLiteral("tile"));
    Click(rdbPng);
    Click(chbHtml);
    Type(edtOutDirectory, folder_.path());

    ModalAnswerer answerer(QStringLiteral("info-box"));
    Click(bbnExecute);

    ASSERT_EQ(answerer.boxes.size(), 1U);
    EXPECT_EQ(answerer.boxes[0].title, QStringLiteral("情報"));
    EXPECT_EQ(answerer.boxes[0].text, QStringLiteral("作成しました。"));
    EXPECT_EQ(answerer.boxes[0].icon, QMessageBox::Information);
    for (const char* name : {"tile001.png", "tile002.png", "tile003.png"}) {
        const QImage tile(Temp(QString::fromLatin1(name)));
        EXPECT_FALSE(tile.isNull()) << name;
        // A kaleidoscope tile of a 32 by 32 cut is three cuts wide.
        EXPECT_EQ(tile.width(), 96) << name;
    }
    EXPECT_FALSE(QFileInfo::exists(Temp(QStringLiteral("tile004.png"))));
    EXPECT_TRUE(QFileInfo::exists(Temp(QStringLiteral("list.html"))));
    // The window is back to work after the run, the focus where it was.
    EXPECT_TRUE(app_->Window().isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(Focused(), Widget(bbnExecute));
}

TEST_F(MakeActionTest, LongRunShowsProgressAndCancelKeepsCompleteTiles)
{
    const QString source = WritePicture(QStringLiteral("source.png"), 600, 600);
    Type(edtFileName, source);
    Type(edtSizeY, QStringLiteral("256"));
    Type(edtMake, QStringLiteral("100"));
    Click(rdbPng);
    Type(edtOutDirectory, folder_.path());
    // 100 tiles of at least 20 ms each outlast the dialog's delay on any
    // machine.
    app_->Desktop().Progress().SetStepDelay(std::chrono::milliseconds(20));

    bool cancelled = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* progress = qobject_cast<QProgressDialog*>(window);
            if (progress != nullptr && progress->isVisible() && !cancelled) {
                SaveScreenshot(progress, QStringLiteral("run-progress"));
                progress->findChild<QPushButton*>()->click();
                cancelled = true;
            }
        }
    });
    poll.start(50);
    ModalAnswerer answerer(QStringLiteral("info-box"));
    Click(bbnExecute);

    EXPECT_TRUE(cancelled);
    EXPECT_TRUE(answerer.boxes.empty());
    const QStringList left = QDir(folder_.path()).entryList(QDir::Files);
    EXPECT_LT(left.size(), 101);
    for (const QString& name : left) {
        EXPECT_TRUE(name == QStringLiteral("source.png") || !QImage(Temp(name)).isNull()) << name.toStdString();
    }
    EXPECT_TRUE(app_->Window().isEnabled());
}

TEST_F(MakeActionTest, RefusedSettingsShowOneErrorAndFocusTheField)
{
    const QString source = WritePicture(QStringLiteral("source.png"), 100, 100);
    Type(edtFileName, source);
    Type(edtOutDirectory, folder_.path());

    struct Refusal {
        ControlId field;
        const char* text;
        const char* message;
    };
    const Refusal refusals[] = {
        {edtSizeY, "33", "サイズの指定が不正です"},
        {edtMake, "101", "生成枚数の指定が不正です"},
        {edtOutDirectory, "/no/such/folder", "ファイル出力先のフォルダが見つかりません。"},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.message);
        const QString before = Edit(refusal.field)->text();
        Type(refusal.field, QString::fromUtf8(refusal.text));
        Widget(bbnExecute)->setFocus();
        ModalAnswerer answerer(QStringLiteral("error-box"));
        Click(bbnExecute);
        ASSERT_EQ(answerer.boxes.size(), 1U);
        EXPECT_EQ(answerer.boxes[0].title, QStringLiteral("エラー"));
        EXPECT_EQ(answerer.boxes[0].icon, QMessageBox::Critical);
        EXPECT_EQ(answerer.boxes[0].text, QString::fromUtf8(refusal.message));
        EXPECT_EQ(Focused(), Widget(refusal.field));
        EXPECT_TRUE(app_->Window().isEnabled());
        Type(refusal.field, before);
    }
    EXPECT_TRUE(QDir(folder_.path()).entryList({QStringLiteral("image*")}).isEmpty());
}

TEST_F(MakeActionTest, ClipboardPictureIsTheSourceAndAnEmptyClipboardIsReported)
{
    QImage picture(120, 90, QImage::Format_ARGB32);
    picture.fill(QColor(40, 160, 90));
    QApplication::clipboard()->setImage(picture);
    Click(rdbSelectImageClipBoard);
    Type(edtOutDirectory, folder_.path());
    Click(rdbBmp);

    {
        ModalAnswerer answerer;
        Click(bbnExecute);
        ASSERT_EQ(answerer.boxes.size(), 1U);
        EXPECT_EQ(answerer.boxes[0].text, QStringLiteral("作成しました。"));
        const QImage tile(Temp(QStringLiteral("image001.bmp")));
        ASSERT_FALSE(tile.isNull());
        EXPECT_EQ(tile.pixelColor(10, 10), QColor(40, 160, 90));
    }

    QApplication::clipboard()->clear();
    QFile::remove(Temp(QStringLiteral("image001.bmp")));
    ModalAnswerer answerer;
    Click(bbnExecute);
    ASSERT_EQ(answerer.boxes.size(), 1U);
    EXPECT_EQ(answerer.boxes[0].title, QStringLiteral("Quillmore"));
    EXPECT_EQ(answerer.boxes[0].icon, QMessageBox::Critical);
    EXPECT_EQ(answerer.boxes[0].text, QStringLiteral("クリップボードから画像を取得できません。"));
    EXPECT_FALSE(QFileInfo::exists(Temp(QStringLiteral("image001.bmp"))));
    EXPECT_TRUE(app_->Window().isEnabled());
    EXPECT_EQ(Focused(), Widget(bbnExecute));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace qm::test
