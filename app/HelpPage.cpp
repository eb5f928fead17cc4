#include "app/HelpPage.h"

#include <filesystem>
#include <system_error>

namespace qm {
namespace {

constexpr const char* kHelpFile = "Wodnu.html";
constexpr const char* kHelpHint =
    "\r\n\r\nﾍﾙﾌﾟを見るためには実行ﾌｧｲﾙのあるﾌｫﾙﾀﾞの中に\r\nWodnu.html がなければいけません\r\n";

// Whether the path names a folder that can be entered. Asking the file
// system directly leaves the working folder as it is.
bool IsFolder(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

}  // namespace

void OpenHelpPage(Platform& platform)
{
    const std::string folder = platform.ExecutableFolder();
    if (!IsFolder(folder)) {
        platform.ShowErrorBox(folder + " が見つかりません" + kHelpHint);
        return;
    }
    if (platform.OpenDocument(kHelpFile, "", folder) == kDocumentNotFound) {
        platform.ShowErrorBox(std::string(kHelpFile) + " が見つかりません" + kHelpHint);
    }
}

}  // namespace qm
