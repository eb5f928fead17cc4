// SPDX-License-Identifier: MIT
#pragma once

#include "app/window/Main.h"
#include "app/window/UDlgExtended.h"
#include "app/window/UDlgHtml.h"
#include "gui/MainWindow.h"
#include "gui/QtPlatform.h"

namespace qm {

// The desktop program's objects for as long as it runs: the Qt desktop
// services, the HTML settings dialog's model (created once, right after the
// main window), the main window's model and its view, started up and ready
// to show.
class DesktopApp {
public:
    DesktopApp();

    MainWindow& Window() { return window_; }
    TfrmMain& Model() { return model_; }
    TfrmHtml& HtmlSettings() { return frmHtml_; }
    TfrmExtended& ExtendedDialog() { return frmExtended_; }
    QtPlatform& Desktop() { return platform_; }

private:
    QtPlatform platform_;
    TfrmHtml frmHtml_;
    TfrmMain model_;
    TfrmExtended frmExtended_;
    MainWindow window_;
};

// Application-wide set-up for every window of the program: name, icon,
// font and Qt's own texts in the language shown. Call once after creating
// the QApplication and choosing the language (ChooseLanguage).
void SetUpApplication();

}  // namespace qm
