// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/Platform.h"

namespace qm {

// A Platform for tests: records every call and answers from its fields.
class RecordingPlatform : public Platform {
public:
    // What was called, in order, as readable lines such as
    // "error: <text>", "info: <text>", "plain: <text>", "focus: <n>",
    // "busy: 1", "busy: 0".
    std::vector<std::string> calls;
    std::vector<std::string> errorBoxes;
    std::vector<std::string> infoBoxes;
    std::vector<std::string> applicationErrors;
    std::vector<ControlId> focusMoves;

    // Answers.
    std::optional<Image> clipboard;
    bool mainWindowActive = true;
    bool folderChosen = false;
    std::string chosenFolder;
    std::optional<std::string> pictureFile;
    std::optional<std::string> libraryFile;
    // Dialogs: the test decides what the user does inside them.
    std::function<bool(TfrmHtml&)> htmlDialog = [](TfrmHtml&) { return false; };
    std::function<bool(TfrmRotateNum&)> rotateNumDialog = [](TfrmRotateNum&) { return false; };
    int openDocumentAnswer = kDocumentOpened;
    std::string executableFolder = "/usr/lib/quillmore/";
    std::vector<std::string> openedDocuments;
    bool closed = false;
    // Answers each tile's progress call; when empty the run goes on.
    std::function<bool(std::int32_t, std::int32_t, const std::string&)> tileProgress;

    void ShowErrorBox(const std::string& text) override
    {
        errorBoxes.push_back(text);
        calls.push_back("error: " + text);
    }
    void ShowInfoBox(const std::string& text) override
    {
        infoBoxes.push_back(text);
        calls.push_back("info: " + text);
    }
    void ShowPlainMessage(const std::string& text) override { calls.push_back("plain: " + text); }
    void ShowApplicationError(const std::string& text) override
    {
        applicationErrors.push_back(text);
        calls.push_back("application error: " + text);
    }
    void FocusControl(ControlId control) override
    {
        focusMoves.push_back(control);
        calls.push_back("focus: " + std::to_string(static_cast<int>(control)));
    }
    bool IsMainWindowActive() override { return mainWindowActive; }
    void SetBusy(bool busy) override { calls.push_back(busy ? "busy: 1" : "busy: 0"); }
    bool TileProgress(std::int32_t number, std::int32_t count, const std::string& file) override
    {
        return !tileProgress || tileProgress(number, count, file);
    }
    std::optional<Image> ClipboardImage() override { return clipboard; }
    bool ChooseFolder(const std::string& title, const std::string& root, std::string& folder) override
    {
        calls.push_back("folder dialog: " + title + " from " + root);
        if (folderChosen) {
            folder = chosenFolder;
        }
        return folderChosen;
    }
    std::optional<std::string> ChoosePictureFile() override { return pictureFile; }
    std::optional<std::string> ChooseLibraryFile() override { return libraryFile; }
    bool ShowHtmlDialog(TfrmHtml& dialog) override { return htmlDialog(dialog); }
    bool ShowRotateNumDialog(TfrmRotateNum& dialog) override { return rotateNumDialog(dialog); }
    void ShowAboutBox() override { calls.push_back("about"); }
    int OpenDocument(const std::string& file, const std::string&,
                     const std::string& workingFolder) override
    {
        openedDocuments.push_back(workingFolder + file);
        return openDocumentAnswer;
    }
    std::string ExecutableFolder() override { return executableFolder; }
    void CloseMainWindow() override { closed = true; }
};

}  // namespace qm
