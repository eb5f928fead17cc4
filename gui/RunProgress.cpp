// SPDX-License-Identifier: MIT
#include "gui/RunProgress.h"

#include <QCoreApplication>
#include <QString>
#include <QThread>

#include "app/AppInfo.h"
#include "core/Translate.h"

namespace qm {

void RunProgress::Start(QWidget* window)
{
    window_ = window;
    clock_.start();
}

bool RunProgress::Step(std::int32_t number, std::int32_t count, const std::string& file)
{
    if (stepDelay_.count() > 0) {
        QThread::msleep(static_cast<unsigned long>(stepDelay_.count()));
    }
    if (dialog_ == nullptr && clock_.isValid() && clock_.elapsed() >= kDelayMs) {
        // Without a parent: the main window is disabled for the run, and so
        // would be a dialog it owned.
        dialog_ = new QProgressDialog();
        dialog_->setWindowTitle(QString::fromUtf8(kApplicationTitle));
        dialog_->setCancelButtonText(QString::fromUtf8(T("ｷｬﾝｾﾙ(&C)")));
        dialog_->setWindowModality(Qt::ApplicationModal);
        dialog_->setMinimumDuration(0);
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
        dialog_->setMinimumWidth(360);
        if (window_ != nullptr) {
            dialog_->move(window_->geometry().center() - dialog_->rect().center());
        }
        dialog_->show();
    }
    if (dialog_ != nullptr) {
        dialog_->setMaximum(count);
        dialog_->setValue(number - 1);
        dialog_->setLabelText(
            QString("%1 / %2\n%3").arg(number).arg(count).arg(QString::fromStdString(file)));
        QCoreApplication::processEvents();
        return !dialog_->wasCanceled();
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return true;
}

void RunProgress::Finish()
{
    delete dialog_;
    clock_.invalidate();
}

}  // namespace qm
