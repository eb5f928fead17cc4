// SPDX-License-Identifier: MIT
#include "support/Noise.h"

namespace qm::test {

Image Noise(int width, int height, std::uint32_t seed)
{
    Image image(width, height);
    for (int y = 0; y < height; ++y) {
        for (std::size_t x = 0; x < image.RowBytes(); ++x) {
            seed = seed * 1103515245u + 12345u;
            image.Row(y)[x] = static_cast<std::uint8_t>(seed >> 24);
        }
    }
    return image;
}

}  // namespace qm::test
