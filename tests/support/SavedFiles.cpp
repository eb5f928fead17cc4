// SPDX-License-Identifier: MIT
#include "support/SavedFiles.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace qm::test {

std::vector<std::string> NamesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string FileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string BytesWithoutTime(const std::string& path)
{
    std::string bytes = FileBytes(path);
    if (bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) {
        return bytes;
    }
    std::string kept = bytes.substr(0, 8);
    std::size_t at = 8;
    while (at + 12 <= bytes.size()) {
        std::uint32_t length = 0;
        for (int i = 0; i < 4; ++i) {
            length = length << 8 | static_cast<unsigned char>(bytes[at + i]);
        }
        const std::size_t size = 12 + static_cast<std::size_t>(length);
        if (bytes.compare(at + 4, 4, "tIME") != 0) {
            kept += bytes.substr(at, size);
        }
        at += size;
    }
    return kept;
}

}  // namespace qm::test
