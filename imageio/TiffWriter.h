// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <vector>

#include "core/Image.h"
#include "imageio/ColourTag.h"

namespace qm {

// A TIFF file of image: 8-bit RGB in strips, Deflate with the horizontal
// predictor; with dpi above 0 the X and Y resolution dpi per inch,
// otherwise resolution unit none and 1/1; with a tag its profile (or
// lcms2's sRGB profile) as the ICC profile. Throws ErrorMessage("TIFF
// エラー: <reason>") when libtiff fails.
std::vector<std::uint8_t> EncodeTiff(const Image& image, int dpi = 0, const ColourTag& tag = {});

}  // namespace qm
