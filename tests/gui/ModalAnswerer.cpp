// SPDX-License-Identifier: MIT
#include "ModalAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>

namespace qm::test {
namespace {

constexpr int kPollMs = 20;
// A modal window still open after this many polls is closed by force.
constexpr int kGiveUpTicks = 5000 / kPollMs;

}  // namespace

ModalAnswerer::ModalAnswerer(QString screenshot) : screenshot_(std::move(screenshot))
{
    connect(&timer_, &QTimer::timeout, this, &ModalAnswerer::Poll);
    timer_.start(kPollMs);
}

void ModalAnswerer::Poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) {
        return;
    }
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        boxes.push_back({box->windowTitle(), box->text(), box->icon()});
        if (boxes.size() == 1 && !screenshot_.isEmpty()) {
            SaveScreenshot(box, screenshot_);
        }
        box->button(QMessageBox::Ok)->click();
        return;
    }
    if (modal != current_) {
        current_ = modal;
        ticksOnCurrent_ = 0;
        if (!scripts_.empty()) {
            // Run the script outside this timer's call: Qt does not fire a
            // timer again while its handler runs, and a script may open a
            // message box that needs answering.
            Script script = std::move(scripts_.front());
            scripts_.erase(scripts_.begin());
            QMetaObject::invokeMethod(
                this, [script = std::move(script), modal] { script(modal); }, Qt::QueuedConnection);
            return;
        }
    }
    if (++ticksOnCurrent_ > kGiveUpTicks) {
        ++unanswered;
        modal->close();
    }
}

void SaveScreenshot(QWidget* widget, const QString& name)
{
    const QString folder = QStringLiteral(QM_SCREENSHOTS);
    QDir().mkpath(folder);
    widget->grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

}  // namespace qm::test

void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

void PrintTo(const QStringList& texts, std::ostream* out)
{
    *out << '{' << texts.join(QStringLiteral(", ")).toStdString() << '}';
}
