// SPDX-License-Identifier: MIT
#include "gui/QtPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QUrl>

#include "app/AppInfo.h"
#include "gui/AboutBox.h"
#include "gui/HtmlDialog.h"
#include "gui/ImageConversion.h"
#include "gui/MainWindow.h"
#include "gui/MessageBox.h"
#include "gui/PictureFileDialog.h"
#include "gui/RotateNumDialog.h"
#include "core/Translate.h"

namespace qm {
namespace {

QString ToQString(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

void QtPlatform::ShowErrorBox(const std::string& text)
{
    QApplication::beep();
    ShowMessageBox(window_, QMessageBox::Critical, QString::fromUtf8(T("エラー")), text);
}

void QtPlatform::ShowInfoBox(const std::string& text)
{
    QApplication::beep();
    ShowMessageBox(window_, QMessageBox::Information, QString::fromUtf8(T("情報")), text);
}

void QtPlatform::ShowPlainMessage(const std::string& text)
{
    ShowMessageBox(window_, QMessageBox::NoIcon, QString::fromUtf8(kApplicationTitle), text);
}

void QtPlatform::ShowApplicationError(const std::string& text)
{
    QApplication::beep();
    ShowMessageBox(window_, QMessageBox::Critical, QString::fromUtf8(kApplicationTitle), text);
}

void QtPlatform::FocusControl(ControlId control)
{
    // The model may have enabled the control in the same action; show its
    // state first, as a disabled widget takes no focus.
    window_->Refresh();
    QWidget* widget = window_->Control(control);
    widget->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->selectAll();
    }
}

bool QtPlatform::IsMainWindowActive()
{
    return window_->isActiveWindow();
}

void QtPlatform::SetBusy(bool busy)
{
    if (busy) {
        if (busyDepth_++ == 0) {
            focusBeforeBusy_ = window_->focusWidget();
            QApplication::setOverrideCursor(Qt::WaitCursor);
            window_->setEnabled(false);
            // The run keeps the event loop waiting: show the disabled window
            // and the cursor now.
            window_->repaint();
            progress_.Start(window_);
        }
        return;
    }
    if (busyDepth_ > 0 && --busyDepth_ == 0) {
        progress_.Finish();
        window_->setEnabled(true);
        if (focusBeforeBusy_ != nullptr) {
            focusBeforeBusy_->setFocus(Qt::OtherFocusReason);
        }
        QApplication::restoreOverrideCursor();
    }
}

bool QtPlatform::TileProgress(std::int32_t number, std::int32_t count, const std::string& file)
{
    return progress_.Step(number, count, file);
}

std::optional<Image> QtPlatform::ClipboardImage()
{
    const QImage picture = QApplication::clipboard()->image();
    if (picture.isNull()) {
        return std::nullopt;
    }
    return ImageFromQImage(picture);
}

bool QtPlatform::ChooseFolder(const std::string& title, const std::string& root,
                              std::string& folder)
{
    if (!QFileInfo(ToQString(folder)).isDir()) {
        folder.clear();
    }
    const QString start = ToQString(folder.empty() ? root : folder);
    const QString chosen = QFileDialog::getExistingDirectory(
        window_, ToQString(title), start, QFileDialog::ShowDirsOnly);
    if (chosen.isEmpty()) {
        return false;
    }
    folder = QDir::toNativeSeparators(chosen).toStdString();
    return true;
}

std::optional<std::string> QtPlatform::ChoosePictureFile()
{
    PictureFileDialog dialog(window_);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst().toStdString();
}

std::optional<std::string> QtPlatform::ChooseLibraryFile()
{
    const QString chosen = QFileDialog::getOpenFileName(
        window_, QString::fromUtf8(T("ファイルを開く")), QString(),
        QString::fromUtf8(T("共有ライブラリ(*.so)")));
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return chosen.toStdString();
}

bool QtPlatform::ShowHtmlDialog(TfrmHtml& dialog)
{
    HtmlDialog view(dialog, *this, window_);
    return view.exec() == QDialog::Accepted;
}

bool QtPlatform::ShowRotateNumDialog(TfrmRotateNum& dialog)
{
    RotateNumDialog view(dialog, *this, window_);
    return view.exec() == QDialog::Accepted;
}

void QtPlatform::ShowAboutBox()
{
    AboutBox box;
    box.exec();
}

int QtPlatform::OpenDocument(const std::string& file, const std::string&,
                             const std::string& workingFolder)
{
    const QString path = ToQString(workingFolder + file);
    if (!QFileInfo::exists(path)) {
        return kDocumentNotFound;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path)) ? kDocumentOpened : kDocumentNotOpened;
}

std::string QtPlatform::ExecutableFolder()
{
    return (QCoreApplication::applicationDirPath() + QLatin1Char('/')).toStdString();
}

void QtPlatform::CloseMainWindow()
{
    window_->close();
}

}  // namespace qm
