// SPDX-License-Identifier: MIT
#include "app/PieceDetail.h"

#include <cmath>
#include <cstdint>

namespace qm {

double LuminanceDeviation(const Image& picture, const Rect& rect)
{
    const std::int64_t count = std::int64_t{rect.Width} * rect.Height;
    if (count <= 0) {
        return 0.0;
    }
    // Luminance in thousandths of a level, summed exactly.
    std::int64_t sum = 0;
    double squares = 0.0;
    for (int y = rect.Top; y < rect.Top + rect.Height; ++y) {
        const std::uint8_t* p = picture.Pixel(rect.Left, y);
        for (int x = 0; x < rect.Width; ++x, p += 3) {
            const std::int64_t luma = 114 * p[0] + 587 * p[1] + 299 * p[2];
            sum += luma;
            squares += static_cast<double>(luma * luma);
        }
    }
    const double mean = static_cast<double>(sum) / static_cast<double>(count);
    const double variance = squares / static_cast<double>(count) - mean * mean;
    return variance > 0.0 ? std::sqrt(variance) / 1000.0 : 0.0;
}

}  // namespace qm
