// SPDX-License-Identifier: MIT
#include "app/window/HelpPage.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "core/Language.h"
#include "core/Translate.h"

namespace qm {
namespace {

constexpr const char* kHelpFile = "Wodnu.html";
// Where an installed copy keeps the help page, seen from the executable's
// folder (bin/ beside share/).
constexpr const char* kInstalledHelpFolder = "../share/quillmore/";
constexpr const char* kHelpHint =
    N_("\r\n\r\nﾍﾙﾌﾟを見るためには実行ﾌｧｲﾙのあるﾌｫﾙﾀﾞの中に\r\nWodnu.html がなければいけません\r\n");

// Whether the path names a folder that can be entered. Asking the file
// system directly leaves the working folder as it is.
bool IsFolder(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

bool HasFile(const std::string& folder, const std::string& name)
{
    std::error_code error;
    return std::filesystem::is_regular_file(folder + name, error);
}

// The help pages to look for, best first: the page in the language shown
// (Wodnu.<language>.html), then the Japanese one.
std::vector<std::string> HelpFiles()
{
    const std::string language = ShownLanguage();
    if (language == "ja") {
        return {kHelpFile};
    }
    return {"Wodnu." + language + ".html", kHelpFile};
}

struct HelpPlace {
    std::string file;
    std::string folder;
};

// Where the help page lies: for each page in turn, the executable's own
// folder when the page lies there (the build tree), else the installed data
// folder when it lies there. When no page lies anywhere, the first page in
// the executable's folder, where the desktop then finds nothing.
HelpPlace FindHelpPage(const std::string& executableFolder)
{
    const std::string installed =
        std::filesystem::path(executableFolder + kInstalledHelpFolder).lexically_normal().string();
    const std::vector<std::string> files = HelpFiles();
    for (const std::string& file : files) {
        for (const std::string& folder : {executableFolder, installed}) {
            if (HasFile(folder, file)) {
                return {file, folder};
            }
        }
    }
    return {files.front(), executableFolder};
}

}  // namespace

void OpenHelpPage(Platform& platform)
{
    const std::string folder = platform.ExecutableFolder();
    if (!IsFolder(folder)) {
        platform.ShowErrorBox(folder + T(" が見つかりません") + T(kHelpHint));
        return;
    }
    const HelpPlace page = FindHelpPage(folder);
    if (platform.OpenDocument(page.file, "", page.folder) == kDocumentNotFound) {
        platform.ShowErrorBox(page.file + T(" が見つかりません") + T(kHelpHint));
    }
}

}  // namespace qm
