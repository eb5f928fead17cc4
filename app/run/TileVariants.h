// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/ExtendedSettings.h"
#include "app/run/TileSaver.h"
#include "core/Image.h"
#include "effects/Colourway.h"
#include "effects/PaletteMap.h"

namespace qm {

// The marks of the variants written beside every tile, in the order they
// are made: c2 to cN for N colourways, then p for the palette's.
std::vector<std::string> VariantMarks(const ExtendedSettings& extended);

// The files of tile number's variants: outDirectory + VariantName.
std::vector<std::string> VariantPaths(const std::string& outDirectory, const std::string& prefix,
                                      std::uint8_t imageType, std::int32_t number,
                                      const ExtendedSettings& extended);

// Makes the variants of the tiles of a run, in the order of VariantMarks,
// from the picture a tile's file holds. One object serves every tile of a
// run on one thread.
class TileVariants {
public:
    explicit TileVariants(const ExtendedSettings& extended);

    std::vector<Image> Of(const Image& tile);
    // The same as the files to save under paths, VariantPaths' of the tile.
    std::vector<VariantFile> FilesOf(const Image& tile, const std::vector<std::string>& paths);

private:
    std::vector<Colourway> colourways_;
    std::optional<PaletteMap> palette_;
};

}  // namespace qm
