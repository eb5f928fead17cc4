// SPDX-License-Identifier: MIT
#include "app/run/StaleTemporaries.h"

#include <signal.h>
#include <sys/types.h>

#include <cerrno>
#include <filesystem>
#include <limits>
#include <map>
#include <system_error>

#include "imageio/FileIo.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

bool ProcessIsGone(long id)
{
    return id > 0 && id <= std::numeric_limits<pid_t>::max() &&
           ::kill(static_cast<pid_t>(id), 0) != 0 && errno == ESRCH;
}

}  // namespace

void RemoveStaleTemporaries(const std::vector<std::string>& files)
{
    // The names of the files, by the folder part of their paths ("" for
    // the working folder), which the temporary files share.
    std::map<std::string, std::vector<std::string>> namesByFolder;
    for (const std::string& file : files) {
        const std::size_t separator = file.rfind('/');
        const std::size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
        namesByFolder[file.substr(0, nameStart)].push_back(file.substr(nameStart));
    }
    for (const auto& [folder, names] : namesByFolder) {
        std::error_code error;
        for (fs::directory_iterator entry(folder.empty() ? "." : folder, error), end;
             !error && entry != end; entry.increment(error)) {
            const std::string entryName = entry->path().filename().string();
            std::error_code ignored;
            if (entryName.find(".tmp-") == std::string::npos ||
                !fs::is_regular_file(entry->symlink_status(ignored))) {
                continue;
            }
            for (const std::string& name : names) {
                const std::optional<long> process = ProcessOfTemporaryName(entryName, name);
                if (process && ProcessIsGone(*process)) {
                    fs::remove(folder + entryName, ignored);
                    break;
                }
            }
        }
    }
}

}  // namespace qm
