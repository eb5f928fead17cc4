// SPDX-License-Identifier: MIT
#include "app/pages/GalleryPage.h"

#include "app/pages/GalleryMarkup.h"

namespace qm {

std::string BuildGalleryPage(const std::vector<GalleryTile>& tiles, const std::string& tileFolder)
{
    std::string page = GalleryHead();
    for (const GalleryTile& tile : tiles) {
        page += GallerySwatches(tile, tileFolder);
    }
    return page + GalleryTail();
}

}  // namespace qm
