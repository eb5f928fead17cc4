// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

namespace qm {

// A tile as the gallery page shows it: its file name, relative to the
// output folder, and its size in pixels.
struct GalleryTile {
    std::string Name;
    int Width = 0;
    int Height = 0;
};

// The gallery page of tiles, UTF-8 HTML5 needing nothing beyond itself and
// the tiles: a grid of swatches, each the tile repeated, and a view that
// fills the window with one tile's repeat at 50, 100 or 200 % or shows the
// tile alone; Left and Right step through the tiles, Escape returns to the
// grid. Names are escaped for the page and for URLs. The page's texts and
// its language follow the language shown. tileFolder is the output folder
// as seen from the page's own folder, ending in "/" (../tiles/), and empty
// when the page lies in the output folder.
std::string BuildGalleryPage(const std::vector<GalleryTile>& tiles,
                             const std::string& tileFolder = "");

}  // namespace qm
