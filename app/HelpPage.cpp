// SPDX-License-Identifier: MIT
#include "app/HelpPage.h"

#include <filesystem>
#include <system_error>

namespace qm {
namespace {

constexpr const char* kHelpFile = "Wodnu.html";
// Where an installed copy keeps the help page, seen from the executable's
// folder (bin/ beside share/).
constexpr const char* kInstalledHelpFolder = "../share/quillmore/";
constexpr const char* kHelpHint =
    "\r\n\r\nﾍﾙﾌﾟを見るためには実行ﾌｧｲﾙのあるﾌｫﾙﾀﾞの中に\r\nWodnu.html がなければいけません\r\n";

// Whether the path names a folder that can be entered. Asking the file
// system directly leaves the working folder as it is.
bool IsFolder(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

bool HasHelpFile(const std::string& folder)
{
    std::error_code error;
    return std::filesystem::is_regular_file(folder + kHelpFile, error);
}

// The folder that holds the help page: the executable's own folder when the
// page lies there (the build tree), else the installed data folder when the
// page lies there, else the executable's folder, where the desktop then
// finds nothing.
std::string HelpFolder(const std::string& executableFolder)
{
    if (HasHelpFile(executableFolder)) {
        return executableFolder;
    }
    const std::string installed =
        std::filesystem::path(executableFolder + kInstalledHelpFolder).lexically_normal().string();
    return HasHelpFile(installed) ? installed : executableFolder;
}

}  // namespace

void OpenHelpPage(Platform& platform)
{
    const std::string folder = platform.ExecutableFolder();
    if (!IsFolder(folder)) {
        platform.ShowErrorBox(folder + " が見つかりません" + kHelpHint);
        return;
    }
    if (platform.OpenDocument(kHelpFile, "", HelpFolder(folder)) == kDocumentNotFound) {
        platform.ShowErrorBox(std::string(kHelpFile) + " が見つかりません" + kHelpHint);
    }
}

}  // namespace qm
