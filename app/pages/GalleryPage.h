// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

namespace qm {

// A tile as the gallery page shows it: its file name, relative to the
// output folder, and its size in pixels; and the names of its variants,
// which have its size.
struct GalleryTile {
    std::string Name;
    int Width = 0;
    int Height = 0;
    std::vector<std::string> Variants{};
};

// The gallery page of tiles, UTF-8 HTML5 needing nothing beyond itself and
// the tiles: a grid of swatches, each the tile repeated, and a view that
// fills the window with one tile's repeat at 50, 100 or 200 % or shows the
// tile alone; a tile with variants is shown in one frame with them, each a
// swatch of its own; Left and Right step through the tiles, Escape returns to the
// grid. Names are escaped for the page and for URLs. The page's texts and
// its language follow the language shown. tileFolder is the output folder
// as seen from the page's own folder, ending in "/" (../tiles/), and empty
// when the page lies in the output folder.
std::string BuildGalleryPage(const std::vector<GalleryTile>& tiles,
                             const std::string& tileFolder = "");

}  // namespace qm
