// SPDX-License-Identifier: MIT
#pragma once

#include "core/Image.h"

namespace qm::test {

// CIEDE2000 differences between the pixels of two sRGB pictures of one
// size (D65 white).
struct ColourDifference {
    double Mean = 0;
    double Percentile99 = 0;
};

ColourDifference CompareColours(const Image& a, const Image& b);

}  // namespace qm::test
