// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/Controls.h"
#include "core/Image.h"
#include "core/MessageBoxes.h"

namespace qm {

class TfrmHtml;
class TfrmRotateNum;

// The shell's answers to opening a document (Platform::OpenDocument).
inline constexpr int kDocumentOpened = 42;
inline constexpr int kDocumentNotFound = 2;
// No handler for the document, or the handler could not be started.
inline constexpr int kDocumentNotOpened = 31;

// Everything the application asks of the desktop. The Qt program shows
// real windows, the command line prints and answers from its options, and
// tests record every call.
class Platform : public MessageBoxes {
public:
    // A modal box with only the text and one OK button, no icon or sound.
    virtual void ShowPlainMessage(const std::string& text) = 0;
    // The top-level handler's box: the error icon, the application's title
    // "Quillmore" as box title, the failure's text and one OK button.
    virtual void ShowApplicationError(const std::string& text) = 0;

    // Moves the keyboard focus to a control of the main window.
    virtual void FocusControl(ControlId control) = 0;
    // Whether the main window is the active window (focus moves only then).
    virtual bool IsMainWindowActive() = 0;
    // Busy: hourglass cursor over the whole screen and the main window
    // disabled (and repainted as such); not busy: both restored.
    virtual void SetBusy(bool busy) = 0;

    // Called by a run before it makes tile number (1 to count), which it
    // will write as file; a run between SetBusy(true) and SetBusy(false)
    // calls it once per tile. The desktop shows the run's progress from it.
    // False asks the run to stop: the tiles before this one are put in
    // place and the make action ends silently. By default nothing is shown
    // and the run goes on.
    virtual bool TileProgress(std::int32_t /*number*/, std::int32_t /*count*/,
                              const std::string& /*file*/)
    {
        return true;
    }

    // One line about how a run goes, such as the fit it chose, shown before
    // its completion message; on the standard output.
    virtual void Note(const std::string& text);

    // One line of warning about something that does not stop the action,
    // on the standard error stream.
    virtual void Warn(const std::string& text);

    // The picture on the clipboard, if it holds one.
    virtual std::optional<Image> ClipboardImage() = 0;

    // The folder browser: true with folder set to the chosen path.
    virtual bool ChooseFolder(const std::string& title, const std::string& root,
                              std::string& folder) = 0;
    // The open-file dialogs for a source picture and a plug-in library.
    virtual std::optional<std::string> ChoosePictureFile() = 0;
    virtual std::optional<std::string> ChooseLibraryFile() = 0;

    // Modal dialogs bound to their models; true when closed with OK.
    virtual bool ShowHtmlDialog(TfrmHtml& dialog) = 0;
    virtual bool ShowRotateNumDialog(TfrmRotateNum& dialog) = 0;
    virtual void ShowAboutBox() = 0;

    // Opens a document with the desktop's default handler. Answers as the
    // shell does: kDocumentOpened (above 32) on success, kDocumentNotFound
    // when the file was not found, kDocumentNotOpened otherwise.
    virtual int OpenDocument(const std::string& file, const std::string& parameters,
                             const std::string& workingFolder) = 0;
    // The folder of the program's own executable, with a trailing "/".
    virtual std::string ExecutableFolder() = 0;

    // Closes the main window, which ends the program.
    virtual void CloseMainWindow() = 0;
};

}  // namespace qm
