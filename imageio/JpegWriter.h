// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <vector>

#include "core/Image.h"
#include "imageio/ColourTag.h"

namespace qm {

// How finely the colour (the two chroma components) is kept: at half the
// resolution both ways, libjpeg's default, or at full resolution, which
// keeps saturated thin lines from smearing.
enum class JpegChroma { Subsampled420, Full444 };

// A baseline JPEG file of image: three RGB components, libjpeg's default
// compression parameters with quality (1 to 100; libjpeg brings other values
// into that range) forced to baseline tables, not progressive, rows from the
// top, compressed in memory; with dpi above 0 the JFIF density is dpi dots
// per inch in both directions; with a tag, its profile (or lcms2's sRGB
// profile) in APP2 segments after the JFIF segment; the chroma sampled as
// chroma says. Throws ErrorMessage("JPEG エラー #<n>").
std::vector<std::uint8_t> EncodeJpeg(const Image& image, int quality, int dpi = 0,
                                     const ColourTag& tag = {},
                                     JpegChroma chroma = JpegChroma::Subsampled420);

}  // namespace qm
