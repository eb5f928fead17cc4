// SPDX-License-Identifier: MIT
#pragma once

#include "core/Image.h"

namespace qm::test {

// A drawing with hard edges everywhere, the same at every size: thin
// stripes at 20, 65 and 110 degrees in red, green and blue over a light
// ground, and yellow rings over them, each pixel the colour at its centre
// (no smoothing of its own). side by side pixels.
Image SharpDrawing(int side);

// The mean absolute difference of two pictures of one size, over every
// byte, in levels.
double MeanDifference(const Image& a, const Image& b);

// How a tile's wrap-around seam stands out: the mean absolute difference
// of the pixels that meet across its edges when it is laid edge to edge,
// over the mean absolute difference of neighbouring pixels inside it. About
// 1 for a tile without a seam.
double SeamStep(const Image& tile);

}  // namespace qm::test
