// SPDX-License-Identifier: MIT
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>

#include "DesktopFixture.h"

namespace qm::test {
namespace {

using enum ControlId;
using ChoosersTest = DesktopFixture;

// A script that notes a file dialog's title and accepts path in it.
ModalAnswerer::Script Choose(const QString& path, QString* seenTitle)
{
    return [path, seenTitle](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        *seenTitle = dialog->windowTitle();
        if (QFileInfo(path).isDir()) {
            dialog->setDirectory(path);
        } else {
            // Typed as a user would: the name field has the focus, where
            // selectFile leaves it alone.
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
        }
        static_cast<QDialog*>(dialog)->accept();
    };
}

TEST_F(ChoosersTest, FolderChoosersFillTheirFields)
{
    QString title;
    ModalAnswerer answerer;
    answerer.Then(Choose(folder_.path(), &title));
    Click(bbnOut);
    EXPECT_EQ(title, QStringLiteral("出力先フォルダの選択"));
    EXPECT_EQ(Edit(edtOutDirectory)->text(), folder_.path());

    Click(rdbSelectImageFolder);
    answerer.Then(Choose(folder_.path(), &title));
    Click(bbnSelectImageFolder);
    EXPECT_EQ(title, QStringLiteral("イメージファイルのあるフォルダの選択"));
    EXPECT_EQ(Edit(edtSelectImageFolder)->text(), folder_.path());

    // Cancelled, the field keeps its text.
    answerer.Then([](QWidget* dialog) { qobject_cast<QDialog*>(dialog)->reject(); });
    Click(bbnOut);
    EXPECT_EQ(Edit(edtOutDirectory)->text(), folder_.path());
    EXPECT_EQ(answerer.unanswered, 0);
}

TEST_F(ChoosersTest, FileChoosersFillTheirFields)
{
    const QString picture = WritePicture(QStringLiteral("photo.png"), 40, 40);
    QString title;
    ModalAnswerer answerer;
    answerer.Then(Choose(picture, &title));
    Click(bbnBrows);
    EXPECT_EQ(Edit(edtFileName)->text(), picture);

    QFile library(Temp(QStringLiteral("pattern.so")));
    ASSERT_TRUE(library.open(QIODevice::WriteOnly));
    library.close();
    Click(rdbDll);
    answerer.Then([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->nameFilters(), QStringList{QStringLiteral("共有ライブラリ(*.so)")});
        Choose(library.fileName(), &title)(modal);
    });
    Click(bbnDll);
    EXPECT_EQ(Edit(edtDll)->text(), library.fileName());
    EXPECT_EQ(answerer.unanswered, 0);
}

}  // namespace
}  // namespace qm::test
