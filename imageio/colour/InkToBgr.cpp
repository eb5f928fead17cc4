// SPDX-License-Identifier: MIT
#include "imageio/colour/InkToBgr.h"

namespace qm::colour {

void InkToBgr(const std::uint8_t* ink, std::uint8_t* bgr, std::int64_t count, bool inverted)
{
    for (std::int64_t i = 0; i < count; ++i, ink += 4, bgr += 3) {
        int c = ink[0], m = ink[1], y = ink[2], k = ink[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        bgr[0] = static_cast<std::uint8_t>(y * k / 255);
        bgr[1] = static_cast<std::uint8_t>(m * k / 255);
        bgr[2] = static_cast<std::uint8_t>(c * k / 255);
    }
}

}  // namespace qm::colour
