// SPDX-License-Identifier: MIT
#include "core/ExecutableFolder.h"

#include <filesystem>
#include <system_error>

namespace qm {

std::string ExecutableFolder()
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return "";
    }
    return self.parent_path().string() + "/";
}

}  // namespace qm
