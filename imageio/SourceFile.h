// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/FileDescriptor.h"

namespace qm {

// A picture file opened for reading from its start, in as many steps as its
// decoder wants, so that a decoder can check a header before it reads on.
class SourceFile {
public:
    // Throws ErrorMessage ファイル "<path>". <system error> は開けません when
    // the file cannot be opened, is not a regular file, or is larger than
    // kMaxImageFileBytes.
    explicit SourceFile(const std::string& path);

    // The size the file had when it was opened.
    std::uint64_t Size() const { return size_; }

    // bytes holds what earlier calls read; reads on until it holds the first
    // count bytes of the file, or all of it when the file is shorter. Throws
    // the open error when reading fails.
    void ReadUpTo(std::vector<std::uint8_t>& bytes, std::uint64_t count);

    // Reads on to the end; a file that has grown past kMaxImageFileBytes is
    // refused with the open error.
    void ReadRest(std::vector<std::uint8_t>& bytes);

private:
    std::string path_;
    FileDescriptor file_;
    std::uint64_t size_ = 0;
};

}  // namespace qm
