// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/ExtendedSettings.h"

namespace qm {

// The files one make action writes, each by the path its writer is given.
// A file the action does not write has an empty path.
struct RunFiles {
    std::vector<std::string> Tiles;
    std::string Page;
    std::string Record;
    // The record's copy of a clipboard picture.
    std::string RecordPicture;
    std::string Gallery;
    std::string Sheet;

    // Every file the action writes: the tiles, the page, the record and its
    // picture, the gallery, the sheet.
    std::vector<std::string> All() const;
};

// The files of a make action into outDirectory (empty or ending in "/"):
// count tiles of imageType named by prefix, the index page pageName when
// one is written (joined onto outDirectory as it is given), and the files
// of the extended settings, whose names count from outDirectory unless they
// are absolute.
RunFiles FilesOfRun(const std::string& outDirectory, const std::string& prefix,
                    std::uint8_t imageType, std::int32_t count,
                    const std::optional<std::string>& pageName, bool clipboardSource,
                    const ExtendedSettings& extended);

}  // namespace qm
