// SPDX-License-Identifier: MIT
#include "app/pages/BatchGalleryPage.h"

#include "app/pages/GalleryMarkup.h"

namespace qm {
namespace {

// Each section takes a whole row of the grid and lays out its own tiles.
constexpr const char* kSectionStyle =
    ".picture { flex-basis: 100%; }\n"
    ".picture h2 { margin: 0 0 8px; font-size: 16px; }\n"
    ".picture .tiles { display: flex; flex-wrap: wrap; gap: 16px; }\n";

}  // namespace

std::string BuildBatchGalleryPage(const std::vector<GallerySection>& sections,
                                  const std::string& outFolder)
{
    std::string page = GalleryHead(kSectionStyle);
    for (const GallerySection& section : sections) {
        page += "<section class=\"picture\">\n<h2>" + EscapeHtml(section.Folder) +
                "</h2>\n<div class=\"tiles\">\n";
        for (const GalleryTile& tile : section.Tiles) {
            page += GallerySwatches(tile, outFolder + section.Folder + "/");
        }
        page += "</div>\n</section>\n";
    }
    return page + GalleryTail();
}

}  // namespace qm
