// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "app/pages/BatchGalleryPage.h"

namespace qm {

// The two overviews of a finished run, written from the tiles on disk.
// tilePaths are the run's tiles in running-number order, each outDirectory
// followed by its name relative to the output folder. Both replace an
// existing file only once the new one is complete and throw ErrorMessage
// when a tile cannot be read or the file cannot be written.

// The gallery page at path (BuildGalleryPage), linking the tiles relative
// to the page's own folder, wherever that is, and naming them relative to
// the output folder, as the index page does. variantPaths, when given, are
// the files of each tile's variants, shown with it.
void WriteGalleryPage(const std::string& path, const std::string& outDirectory,
                      const std::vector<std::string>& tilePaths,
                      const std::vector<std::vector<std::string>>& variantPaths = {});

// The gallery page of a batch at path (BuildBatchGalleryPage), linking the
// sections' tiles in their folders below outDirectory relative to the
// page's own folder.
void WriteBatchGalleryPage(const std::string& path, const std::string& outDirectory,
                           const std::vector<GallerySection>& sections);

// The contact sheet (BuildContactSheet) as a PNG file at path.
void WriteContactSheet(const std::string& path, const std::vector<std::string>& tilePaths);

}  // namespace qm
