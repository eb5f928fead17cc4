// SPDX-License-Identifier: MIT
#include "cli/ConsolePlatform.h"

#include <spawn.h>
#include <unistd.h>
#include <sys/wait.h>

#include <filesystem>
#include <iostream>
#include <ostream>
#include <system_error>
#include <vector>

#include "app/AppInfo.h"
#include "app/window/UDlgHtml.h"
#include "app/window/UDlgRotateNum.h"
#include "cli/ConsoleClipboard.h"
#include "core/ExecutableFolder.h"

extern char** environ;

namespace qm {
namespace {

void Fill(std::string& field, const std::optional<std::string>& answer)
{
    if (answer) {
        field = *answer;
    }
}

}  // namespace

std::string ConsoleText(const std::string& text)
{
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            result += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            result += text[i];
        }
    }
    if (result.empty() || result.back() != '\n') {
        result += '\n';
    }
    return result;
}

ConsolePlatform::ConsolePlatform(std::ostream& out, std::ostream& err, DialogAnswers answers,
                                 std::string progressPrefix)
    : out_(out),
      err_(err),
      answers_(std::move(answers)),
      progressShown_(&err == &std::cerr && ::isatty(STDERR_FILENO) == 1),
      progressPrefix_(std::move(progressPrefix))
{
}

void ConsolePlatform::SetBusy(bool busy)
{
    if (!busy) {
        ClearProgress();
    }
}

bool ConsolePlatform::TileProgress(std::int32_t number, std::int32_t count, const std::string& file)
{
    if (progressShown_) {
        err_ << "\r\x1b[K" << progressPrefix_ << number << "/" << count << " " << file << std::flush;
        progressLine_ = true;
    }
    return true;
}

void ConsolePlatform::ClearProgress()
{
    if (progressLine_) {
        err_ << "\r\x1b[K" << std::flush;
        progressLine_ = false;
    }
}

void ConsolePlatform::PrintError(const std::string& text)
{
    ClearProgress();
    errorShown_ = true;
    lastError_ = ConsoleText(text);
    lastError_.pop_back();
    err_ << lastError_ << '\n' << std::flush;
}

void ConsolePlatform::ShowErrorBox(const std::string& text)
{
    PrintError(text);
}

void ConsolePlatform::Note(const std::string& text)
{
    ClearProgress();
    out_ << ConsoleText(text) << std::flush;
}

void ConsolePlatform::Warn(const std::string& text)
{
    ClearProgress();
    err_ << ConsoleText(text) << std::flush;
}

void ConsolePlatform::ShowInfoBox(const std::string& text)
{
    if (!infoBoxesShown_) {
        return;
    }
    out_ << ConsoleText(text) << std::flush;
}

void ConsolePlatform::ShowPlainMessage(const std::string& text)
{
    PrintError(text);
}

void ConsolePlatform::ShowApplicationError(const std::string& text)
{
    PrintError(text);
}

std::optional<Image> ConsolePlatform::ClipboardImage()
{
    return ReadDesktopClipboardImage();
}

bool ConsolePlatform::ShowHtmlDialog(TfrmHtml& dialog)
{
    Fill(dialog.edtTitle, answers_.htmlTitle);
    Fill(dialog.edtNumOfCol, answers_.htmlColumns);
    Fill(dialog.edtSizeWidth, answers_.htmlPopupWidth);
    Fill(dialog.edtSizeHeight, answers_.htmlPopupHeight);
    Fill(dialog.edtFileName, answers_.htmlFileName);
    return dialog.OkClick(*this);
}

bool ConsolePlatform::ShowRotateNumDialog(TfrmRotateNum& dialog)
{
    Fill(dialog.edtVal, answers_.rotateNum);
    return dialog.OkClick(*this);
}

void ConsolePlatform::ShowAboutBox()
{
    out_ << kApplicationTitle << "\nVersion " << kApplicationVersion << '\n' << std::flush;
}

int ConsolePlatform::OpenDocument(const std::string& file, const std::string& parameters,
                                  const std::string& workingFolder)
{
    const std::string path = workingFolder + file;
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        return kDocumentNotFound;
    }
    std::string program = "xdg-open";
    std::string target = path;
    std::vector<char*> argv{program.data(), target.data()};
    std::string extra = parameters;
    if (!extra.empty()) {
        argv.push_back(extra.data());
    }
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        return kDocumentNotOpened;
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return kDocumentNotOpened;
    }
    return kDocumentOpened;
}

std::string ConsolePlatform::ExecutableFolder()
{
    return qm::ExecutableFolder();
}

}  // namespace qm
