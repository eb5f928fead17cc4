// SPDX-License-Identifier: MIT
#pragma once

#include "core/Image.h"

namespace qm {

// The picture resampled to width by height (each at least 1) in linear
// light with stb's resizer: a Mitchell filter along a side that shrinks,
// Catmull-Rom along one that grows, the picture's edges repeated beyond it.
// A picture of that size already comes back as it is.
//
// Quality: the Mitchell-Netravali cubic (B = C = 1/3) widened by the
// shrink, so every new pixel averages all the old pixels under it with
// little ringing and little aliasing; sums in single-precision
// linear light, rounded once to 8-bit sRGB. Bands of rows are made on every
// core at once, each from the whole picture with the whole's filter
// positions, so the pixels do not depend on the number of cores.
Image ScaleTo(const Image& picture, int width, int height);

// The same in at most bands bands of at least 64 rows, one a thread.
Image ScaleToInBands(const Image& picture, int width, int height, int bands);

// The part region (within width by height) of ScaleTo(picture, width,
// height), resampled from the picture pixels around it alone: the pixels
// of the whole, up to the last bits of stb's single-precision positions.
Image ScaleToRegion(const Image& picture, int width, int height, const Rect& region);

}  // namespace qm
