// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <vector>

#include "core/Image.h"
#include "imageio/ColourTag.h"

namespace qm {

// The file types of the tiles, by the code the window's radio buttons give
// them (the ImageType of a run and of the HTML page).
enum OutputType : std::uint8_t {
    kOutputBmp = 0,
    kOutputJpeg = 1,
    kOutputPng = 2,
    // Offered only with the extended setting TiffOutput.
    kOutputTiff = 3,
};

// One output type: its file name extension (without the dot) and its
// encoder, which gives the whole file content of a tile (dpi 0: no
// resolution recorded; the tag says what the file tells of its colours,
// nothing in a BMP file).
struct OutputTypeInfo {
    OutputType type;
    const char* extension;
    std::vector<std::uint8_t> (*encode)(const Image& tile, int quality, int dpi,
                                        const ColourTag& tag);
};

// The row of a type code; null for a code of no type.
const OutputTypeInfo* FindOutputType(std::uint8_t code);

// The type the tiles of a run are written as: that of the code, and BMP for
// a code of no type.
const OutputTypeInfo& TileOutputType(std::uint8_t code);

}  // namespace qm
