// SPDX-License-Identifier: MIT
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "app/Platform.h"

namespace qm {

// What the user of the command line typed into the two settings dialogs.
// A field left empty here keeps the dialog's own text.
struct DialogAnswers {
    std::optional<std::string> rotateNum;
    std::optional<std::string> htmlTitle;
    std::optional<std::string> htmlColumns;
    std::optional<std::string> htmlPopupWidth;
    std::optional<std::string> htmlPopupHeight;
    std::optional<std::string> htmlFileName;
};

// The desktop as seen from a terminal: message boxes become lines on the
// standard streams (errors on the error stream, information on the output
// stream, CR LF turned into plain line breaks), the dialogs answer from the
// command line's options, and there is no window to focus or disable.
class ConsolePlatform : public Platform {
public:
    // progressPrefix starts every line of the tiles' progress.
    ConsolePlatform(std::ostream& out, std::ostream& err, DialogAnswers answers,
                    std::string progressPrefix = "");

    // Whether any error box or error message was shown so far.
    bool ErrorShown() const { return errorShown_; }
    // The text of the last error shown, without its line break.
    const std::string& LastError() const { return lastError_; }
    // Information boxes are not shown any more (a batch tells of each
    // picture itself).
    void HideInfoBoxes() { infoBoxesShown_ = false; }

    void ShowErrorBox(const std::string& text) override;
    void ShowInfoBox(const std::string& text) override;
    void ShowPlainMessage(const std::string& text) override;
    void ShowApplicationError(const std::string& text) override;

    // On the error stream, without counting as an error.
    void Note(const std::string& text) override;
    void Warn(const std::string& text) override;

    void FocusControl(ControlId) override {}
    bool IsMainWindowActive() override { return false; }
    // Not busy any more: the progress line, if one is shown, is cleared.
    void SetBusy(bool busy) override;
    // On a terminal, "<number>/<count> <file>" on one line of the error
    // stream, each tile overwriting the last; nothing into pipes or files.
    bool TileProgress(std::int32_t number, std::int32_t count, const std::string& file) override;

    std::optional<Image> ClipboardImage() override;

    // The command line names its files and folders directly; it never
    // browses for them.
    bool ChooseFolder(const std::string&, const std::string&, std::string&) override { return false; }
    std::optional<std::string> ChoosePictureFile() override { return std::nullopt; }
    std::optional<std::string> ChooseLibraryFile() override { return std::nullopt; }

    // Fill in the dialog's fields from the answers and press OK once.
    bool ShowHtmlDialog(TfrmHtml& dialog) override;
    bool ShowRotateNumDialog(TfrmRotateNum& dialog) override;
    void ShowAboutBox() override;

    int OpenDocument(const std::string& file, const std::string& parameters,
                     const std::string& workingFolder) override;
    std::string ExecutableFolder() override;
    void CloseMainWindow() override {}

private:
    void PrintError(const std::string& text);
    void ClearProgress();

    std::ostream& out_;
    std::ostream& err_;
    DialogAnswers answers_;
    bool errorShown_ = false;
    std::string lastError_;
    bool infoBoxesShown_ = true;
    // Whether the error stream is the process's own and a terminal.
    const bool progressShown_;
    const std::string progressPrefix_;
    bool progressLine_ = false;
};

// A message box's text for a terminal: CR LF and lone CR become line
// breaks, and the text ends with exactly one line break.
std::string ConsoleText(const std::string& text);

}  // namespace qm
