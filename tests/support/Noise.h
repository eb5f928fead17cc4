// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

#include "core/Image.h"

namespace qm::test {

// A picture of pseudo-random bytes, the same for the same seed; every pixel
// differs from its neighbours, and it is hard to compress, so encoders do
// real work on it.
Image Noise(int width, int height, std::uint32_t seed = 1);

}  // namespace qm::test
