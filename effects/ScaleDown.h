// SPDX-License-Identifier: MIT
#pragma once

#include "core/Image.h"

namespace qm {

// The picture resampled to width by height (each at least 1, at most the
// picture's own side) in linear light.
Image ScaleDown(const Image& picture, int width, int height);

}  // namespace qm
