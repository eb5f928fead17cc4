// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QWidget>

#include "app/window/Main.h"
#include "app/window/UDlgExtended.h"
#include "gui/MainWindowControls.h"

class QDragEnterEvent;
class QDropEvent;
class QKeyEvent;

namespace qm {

class PreviewWindow;

// The main window "Quillmore": shows the state of its model TfrmMain and
// hands every user event to it through the top-level handler. It holds no
// rule of its own; what is enabled, checked or written where is the
// model's business.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    MainWindow(TfrmMain& model, Platform& platform, TfrmExtended& extended);

    // Shows the model's state in every widget without feeding events back.
    void Refresh();

    // Files handed to the window as by a drop: the first becomes the source
    // file name.
    void TakeFiles(const std::vector<std::string>& files);

    // The widget that shows a control.
    QWidget* Control(ControlId control) const { return WidgetOf(controls_, control); }

    // The preview window, which the preview button shows; it lives as long
    // as the main window.
    PreviewWindow& Preview() const { return *preview_; }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Enter anywhere outside a focused button presses the default button.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ForwardEvents();
    // Runs one user action through the application's top-level handler.
    void Run(const std::function<void()>& action);
    void RefreshControl(ControlId control);
    void RefreshMethodList();
    void ShowExtendedDialog();

    TfrmMain& model_;
    Platform& platform_;
    ControlWidgets controls_;
    TfrmExtended& extended_;
    PreviewWindow* preview_;
};

}  // namespace qm
