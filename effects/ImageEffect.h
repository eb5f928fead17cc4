// SPDX-License-Identifier: MIT
#pragma once

#include "core/Image.h"

namespace qm {

// One pass of the 3 by 3 kernel 1 1 1 / 1 2 1 / 1 1 1, divisor 10,
// truncated, edges replicated; in place.
void Blur(Image& image);

}  // namespace qm
