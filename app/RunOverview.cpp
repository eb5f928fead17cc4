// SPDX-License-Identifier: MIT
#include "app/RunOverview.h"

#include "app/ContactSheet.h"
#include "app/GalleryPage.h"
#include "app/PageFile.h"
#include "imageio/ImageFiles.h"

namespace qm {

void WriteGalleryPage(const std::string& path, const std::string& outDirectory,
                      const std::vector<std::string>& tilePaths)
{
    std::vector<GalleryTile> tiles;
    if (!tilePaths.empty()) {
        // Every tile of a run has the same size.
        const Image first = LoadImageFile(tilePaths.front());
        for (const std::string& tilePath : tilePaths) {
            tiles.push_back({tilePath.substr(outDirectory.size()), first.Width(), first.Height()});
        }
    }
    WritePageFile(path, BuildGalleryPage(tiles));
}

void WriteContactSheet(const std::string& path, const std::vector<std::string>& tilePaths)
{
    const Image sheet =
        BuildContactSheet(static_cast<std::int32_t>(tilePaths.size()), [&](std::int32_t number) {
            return LoadImageFile(tilePaths[static_cast<std::size_t>(number - 1)]);
        });
    SavePng(sheet, path);
}

}  // namespace qm
