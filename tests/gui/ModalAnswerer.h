// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <ostream>
#include <vector>

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

namespace qm::test {

// A message box the test has seen and answered.
struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon;
};

// Answers the modal windows that a user action opens, while it lives:
// every message box is recorded and closed with OK; a dialog is handed to
// the script the test gave for it. A window nobody answers is closed after
// a few seconds and counted, so that no test hangs.
class ModalAnswerer : public QObject {
public:
    using Script = std::function<void(QWidget* dialog)>;

    // With a name, the first message box is also saved as a screenshot.
    explicit ModalAnswerer(QString screenshot = {});

    // Scripts for the next dialogs, in the order they appear.
    void Then(Script script) { scripts_.push_back(std::move(script)); }

    std::vector<SeenBox> boxes;
    int unanswered = 0;

private:
    void Poll();

    QString screenshot_;
    QTimer timer_;
    std::vector<Script> scripts_;
    // The dialog being scripted; cleared when it is destroyed, so that the
    // next dialog counts as new even at the same address.
    QPointer<QWidget> current_;
    int ticksOnCurrent_ = 0;
};

// Saves what widget shows as <build>/screenshots/<name>.png.
void SaveScreenshot(QWidget* widget, const QString& name);

}  // namespace qm::test

// Lets test failures print Qt texts readably (found by argument lookup).
void PrintTo(const QString& text, std::ostream* out);
void PrintTo(const QStringList& texts, std::ostream* out);
