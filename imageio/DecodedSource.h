// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <vector>

#include "core/Image.h"
#include "imageio/colour/EmbeddedColour.h"

namespace qm {

// A picture as its decoder delivers it, before it is turned and its
// colours are converted.
struct DecodedSource {
    // Blue, green, red; allocated but unfilled while Ink holds the pixels.
    Image Picture;
    // Every pixel grey, decoded from a one-channel source.
    bool Grey = false;
    // CMYK samples of a picture with a CMYK profile, 4 bytes a pixel, rows
    // without padding, for the colour stage; empty otherwise.
    std::vector<std::uint8_t> Ink;
    // The ink is stored as Adobe applications store it, 255 no ink.
    bool InkInverted = false;
    colour::EmbeddedColour Colour;
    // The orientation tag (1 to 8) still to apply; 1 for none.
    int Orientation = 1;
    int JpegScale = 8;
    // A JPEG picture's size at full scale, before it is turned; 0 and 0
    // for every other picture.
    int FullWidth = 0;
    int FullHeight = 0;
};

}  // namespace qm
