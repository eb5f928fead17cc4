// SPDX-License-Identifier: MIT
#pragma once

#include "core/Image.h"

namespace qm {

// The picture resampled to width by height (each at least 1) in linear
// light with stb's resizer: a Mitchell filter along a side that shrinks,
// Catmull-Rom along one that grows, the picture's edges repeated beyond it.
// A picture of that size already comes back as it is.
Image ScaleTo(const Image& picture, int width, int height);

// The part region (within width by height) of ScaleTo(picture, width,
// height), resampled from the picture pixels around it alone: the pixels
// of the whole, up to the last bits of stb's single-precision positions.
Image ScaleToRegion(const Image& picture, int width, int height, const Rect& region);

}  // namespace qm
