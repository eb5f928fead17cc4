// SPDX-License-Identifier: MIT
#include "support/TempFolder.h"

#include <stdlib.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace qm::test {

TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "quillmore-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::filesystem::filesystem_error("mkdtemp", std::error_code(errno, std::generic_category()));
    }
    path_ = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

void TempFolder::Write(const std::string& name, const std::string& bytes) const
{
    std::ofstream(*this / name, std::ios::binary) << bytes;
}

void TempFolder::CopyIn(const std::string& source, const std::string& name) const
{
    std::filesystem::copy_file(source, *this / name);
}

}  // namespace qm::test
