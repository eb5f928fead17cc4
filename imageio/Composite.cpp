// SPDX-License-Identifier: MIT
#include "imageio/Composite.h"

#include <algorithm>

namespace qm {

std::uint8_t Composite(std::uint32_t value, std::uint32_t alpha, std::uint32_t max,
                       std::uint32_t alphaMax, std::uint8_t background, bool premultiplied)
{
    alpha = std::min(alpha, alphaMax);
    const std::uint64_t cover = premultiplied ? alphaMax : alpha;
    const std::uint64_t numerator = 255 * std::uint64_t{value} * cover +
                                    std::uint64_t{background} * max * (alphaMax - alpha);
    const std::uint64_t denominator = std::uint64_t{max} * alphaMax;
    std::uint64_t quotient = numerator / denominator;
    const std::uint64_t twice = 2 * (numerator % denominator);
    if (twice > denominator || (twice == denominator && quotient % 2 == 1)) {
        ++quotient;
    }
    return static_cast<std::uint8_t>(std::min<std::uint64_t>(quotient, 255));
}

void CompositeRow(const std::uint8_t* rgba, std::uint8_t* bgr, int width, Rgb background,
                  bool premultiplied)
{
    const std::uint8_t back[3] = {background.Blue, background.Green, background.Red};
    for (int x = 0; x < width; ++x, rgba += 4, bgr += 3) {
        const std::uint32_t alpha = rgba[3];
        if (alpha == 255) {
            bgr[0] = rgba[2];
            bgr[1] = rgba[1];
            bgr[2] = rgba[0];
            continue;
        }
        for (int c = 0; c < 3; ++c) {
            // 255 * 255 is odd, so no value falls halfway.
            const std::uint32_t value = rgba[2 - c];
            const std::uint32_t sum = (premultiplied ? 255 * value : value * alpha) +
                                      back[c] * (255 - alpha);
            bgr[c] = static_cast<std::uint8_t>(std::min<std::uint32_t>((sum + 127) / 255, 255));
        }
    }
}

}  // namespace qm
