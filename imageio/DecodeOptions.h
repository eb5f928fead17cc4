// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/Image.h"
#include "imageio/DecodeLimits.h"

namespace qm {

// A colour as red, green, blue.
struct Rgb {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;

    bool operator==(const Rgb&) const = default;
};

// What happens to the colours of a picture that carries a profile.
enum class ColourHandling {
    // The decoded values as they are (CMYK pictures by the plain formula).
    Raw,
    // Converted to sRGB through the embedded profile or code points.
    ToSrgb,
    // RGB pictures as decoded, their profile handed back for the tiles;
    // CMYK and grey pictures converted as with ToSrgb.
    KeepRgbProfile,
};

// How a source picture is decoded.
struct DecodeOptions {
    // Turn the picture as its file says (Exif in JPEG, PNG and WebP, the
    // TIFF orientation tag, HEIF's rotation and mirroring).
    bool AutoOrient = false;
    ColourHandling Colour = ColourHandling::Raw;
    // Transparent parts of every picture with alpha are laid on this
    // colour. Without it HEIF, WebP and TIFF pictures are laid on white,
    // and BMP and PNG pictures lose their alpha.
    std::optional<Rgb> Background;
    // A JPEG picture is decoded at the smallest scale M/8 (M from 1 to 8)
    // that still gives at least the width and height this asks of a
    // picture whose full size once turned is width by height (read from its
    // header before anything is decoded), as turned by its orientation;
    // without it, or when it asks 0 and 0, at full size.
    std::function<std::pair<int, int>(int width, int height)> MinSizeFor;
    DecodeLimits Limits;
};

// A decoded source picture and what was done to it.
struct DecodedPicture {
    Image Picture;
    // The colours were converted through a profile.
    bool ColourConverted = false;
    // Of the embedded ICC profile, if any: its description and SHA-256 (64
    // hexadecimal digits); both empty without one.
    std::string ProfileDescription;
    std::string ProfileSha256;
    // With ColourHandling::KeepRgbProfile, the RGB profile of the picture's
    // unconverted colours, for the tiles to embed; empty otherwise.
    std::vector<std::uint8_t> KeptProfile;
    // The M of the JPEG scale M/8 used; 8 for every other picture.
    int JpegScale = 8;
    // The picture's width and height at full scale, turned as Picture is;
    // larger than Picture's with JpegScale below 8.
    int FullWidth = 0;
    int FullHeight = 0;
    // Texts for the user, through T(), each at most once.
    std::vector<std::string> Warnings;
};

}  // namespace qm
