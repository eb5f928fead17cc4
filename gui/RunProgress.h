// SPDX-License-Identifier: MIT
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <QWidget>

#include <chrono>
#include <cstdint>
#include <string>

namespace qm {

// The progress of a run on the desktop. A run that has lasted kDelayMs gets
// a dialog with the tile in hand, "<number> / <count>" and its file, and a
// cancel button; every step lets the event loop run, so the windows repaint
// while the run keeps the main window disabled.
class RunProgress {
public:
    static constexpr int kDelayMs = 500;

    // A run starts; the dialog, when it comes, is centred over window.
    void Start(QWidget* window);
    // Tile number of count is about to be made as file; false once the
    // user has pressed cancel.
    bool Step(std::int32_t number, std::int32_t count, const std::string& file);
    // The run has ended: the dialog goes.
    void Finish();

    // Makes every step last at least this long (none by default): a test's
    // run then outlasts kDelayMs however fast the machine makes its tiles.
    void SetStepDelay(std::chrono::milliseconds delay) { stepDelay_ = delay; }

private:
    std::chrono::milliseconds stepDelay_{0};
    QPointer<QWidget> window_;
    QElapsedTimer clock_;
    QPointer<QProgressDialog> dialog_;
};

}  // namespace qm
