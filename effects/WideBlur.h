// SPDX-License-Identifier: MIT
#pragma once

#include "core/Image.h"

namespace qm {

// The blur of Blur (ImageEffect.h) on a picture `factor` (1 to 8) times
// larger than the one it is meant for: every tap of its 3 by 3 kernel
// widened to a factor by factor block (for an even factor the block spans
// factor + 1 pixels, its outer ones at half weight, so that it stays
// centred on the pixel), divisor 10 * factor^2, truncated, edges
// replicated; in place. A factor of 1 is Blur itself.
void WideBlur(Image& image, int factor);

// How many pixels either side of a pixel that blur reads.
int WideBlurReach(int factor);

}  // namespace qm
