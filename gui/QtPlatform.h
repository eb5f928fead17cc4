// SPDX-License-Identifier: MIT
#pragma once

#include <QPointer>
#include <QWidget>

#include "app/Platform.h"
#include "gui/RunProgress.h"

namespace qm {

class MainWindow;

// The desktop services of the program on Qt: message boxes with the
// system's sounds, focus and busy state of the main window, the clipboard,
// the file and folder choosers, the dialogs and opening documents.
class QtPlatform : public Platform {
public:
    // The main window that owns the boxes and dialogs; set before the first
    // user action.
    void SetMainWindow(MainWindow* window) { window_ = window; }

    void ShowErrorBox(const std::string& text) override;
    void ShowInfoBox(const std::string& text) override;
    void ShowPlainMessage(const std::string& text) override;
    void ShowApplicationError(const std::string& text) override;

    void FocusControl(ControlId control) override;
    bool IsMainWindowActive() override;
    void SetBusy(bool busy) override;
    bool TileProgress(std::int32_t number, std::int32_t count, const std::string& file) override;

    std::optional<Image> ClipboardImage() override;

    bool ChooseFolder(const std::string& title, const std::string& root,
                      std::string& folder) override;
    std::optional<std::string> ChoosePictureFile() override;
    std::optional<std::string> ChooseLibraryFile() override;

    bool ShowHtmlDialog(TfrmHtml& dialog) override;
    bool ShowRotateNumDialog(TfrmRotateNum& dialog) override;
    void ShowAboutBox() override;

    int OpenDocument(const std::string& file, const std::string& parameters,
                     const std::string& workingFolder) override;
    std::string ExecutableFolder() override;

    void CloseMainWindow() override;

    RunProgress& Progress() { return progress_; }

private:
    MainWindow* window_ = nullptr;
    // Nested busy calls restore the window only when the outermost ends.
    int busyDepth_ = 0;
    // The control that had the focus when the window went busy; disabling
    // the window takes the focus away, so it is given back afterwards.
    QPointer<QWidget> focusBeforeBusy_;
    RunProgress progress_;
};

}  // namespace qm
