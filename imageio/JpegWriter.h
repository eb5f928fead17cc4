// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <vector>

#include "core/Image.h"

namespace qm {

// A baseline JPEG file of image: three RGB components, libjpeg's default
// compression parameters with quality (1 to 100; libjpeg brings other values
// into that range) forced to baseline tables, not progressive, rows from the
// top, compressed in memory; with dpi above 0 the JFIF density is dpi dots
// per inch in both directions. Throws ErrorMessage("JPEG エラー #<n>").
std::vector<std::uint8_t> EncodeJpeg(const Image& image, int quality, int dpi = 0);

}  // namespace qm
