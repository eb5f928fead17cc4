// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

#include "core/Image.h"

namespace qm::test {

// A picture of pseudo-random bytes, the same for the same seed; every pixel
// differs from its neighbours, and it is hard to compress, so encoders do
// real work on it.
Image Noise(int width, int height, std::uint32_t seed = 1);

// Noise blurred three times by a box of 2 radius + 1 pixels and its
// contrast stretched back (spread 48 about grey 128): every pixel differs
// from its neighbours by little, and a picture moved or turned by a
// fraction of a pixel differs from itself by little.
Image SmoothNoise(int width, int height, int radius, std::uint32_t seed = 1);

}  // namespace qm::test
