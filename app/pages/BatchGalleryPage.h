// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "app/pages/GalleryPage.h"

namespace qm {

// The tiles of one picture of a batch: the folder they lie in, relative to
// the batch's output folder (its heading on the page), and the tiles with
// their names relative to that folder.
struct GallerySection {
    std::string Folder;
    std::vector<GalleryTile> Tiles;
};

// The gallery page of a whole batch: every section under its folder's
// name, its tiles shown and stepped through as on the page of one run
// (BuildGalleryPage), across the sections. outFolder is the batch's output
// folder as seen from the page's own folder, empty or ending in "/".
std::string BuildBatchGalleryPage(const std::vector<GallerySection>& sections,
                                  const std::string& outFolder = "");

}  // namespace qm
