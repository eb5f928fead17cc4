// SPDX-License-Identifier: MIT
#pragma once

#include "core/Image.h"

namespace qm {

// A repeating picture (a tile that continues across its edges when laid
// edge to edge) resampled to width by height, each from 1 to
// Image::kMaxSide, in linear light, wrapping round its edges, so that the
// result repeats as seamlessly as the picture. Reducing averages the area
// each new pixel covers; enlarging interpolates linearly between the
// pixels around it.
//
// Along each side the pattern is scaled about an anchor given in half
// pixels from the leading edge (0 the edge, 1 the centre of the first
// pixel; the same place in both pictures): a mirror line there, and so the
// one half a repeat further on, stays there, and a picture symmetric about
// it gives a result exactly symmetric about it, pixel for pixel. A picture
// resampled to its own size comes back unchanged.
Image ResampleRepeat(const Image& picture, int width, int height, int anchorHalfX, int anchorHalfY);

}  // namespace qm
