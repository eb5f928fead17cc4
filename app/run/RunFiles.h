// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "app/RunSettings.h"

namespace qm {

// The files one make action writes, each by the path its writer is given.
// A file the action does not write has an empty path.
struct RunFiles {
    std::vector<std::string> Tiles;
    // The variants written beside each tile, one list a tile.
    std::vector<std::vector<std::string>> Variants;
    std::string Page;
    std::string Record;
    // The record's copy of a clipboard picture.
    std::string RecordPicture;
    std::string Gallery;
    std::string Sheet;

    // Every file the action writes: the tiles and their variants, the page, the record and its
    // picture, the gallery, the sheet.
    std::vector<std::string> All() const;
};

// The files of a make action of settings into their OutDirectory (empty or
// ending in "/"): Count tiles of ImageType named by Prefix and the variants
// beside them, the index page
// when one is written (its name joined onto OutDirectory as it is given),
// the record (and its copy of a clipboard picture) and the pages of the
// extended settings, whose names count from OutDirectory unless they are
// absolute.
RunFiles FilesOfRun(const RunSettings& settings);

}  // namespace qm
