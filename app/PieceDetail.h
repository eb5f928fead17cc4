// SPDX-License-Identifier: MIT
#pragma once

#include "core/Image.h"

namespace qm {

// The detail of the rect of picture: the standard deviation of its pixels'
// luminance (0.299 red + 0.587 green + 0.114 blue, levels 0 to 255). A
// piece a person calls flat (sky, background out of focus, black) stays
// below 8. 0 for an empty rect.
double LuminanceDeviation(const Image& picture, const Rect& rect);

}  // namespace qm
