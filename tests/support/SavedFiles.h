// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

namespace qm::test {

// The names in a folder, sorted.
std::vector<std::string> NamesIn(const std::string& folder);

// The whole content of a file; empty when it cannot be read.
std::string FileBytes(const std::string& path);

// The file's bytes with a PNG file's tIME chunk left out, as that holds the
// time of writing; other files whole.
std::string BytesWithoutTime(const std::string& path);

}  // namespace qm::test
