// SPDX-License-Identifier: MIT
#include "support/Noise.h"

#include <algorithm>
#include <cmath>
#include <vector>

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

Image SmoothNoise(int width, int height, int radius, std::uint32_t seed)
{
    const Image noise = Noise(width, height, seed);
    Image image(width, height);
    const auto at = [](int i, int n) { return std::clamp(i, 0, n - 1); };
    std::vector<double> plane(static_cast<std::size_t>(width) * height);
    std::vector<double> pass(plane.size());
    for (int c = 0; c < 3; ++c) {
        for (std::size_t i = 0; i < plane.size(); ++i) {
            plane[i] = noise.Row(0)[3 * i + c];
        }
        for (int n = 0; n < 6; ++n) {
            // Even passes blur along rows, odd ones along columns.
            const bool rows = n % 2 == 0;
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    double sum = 0;
                    for (int d = -radius; d <= radius; ++d) {
                        sum += rows ? plane[static_cast<std::size_t>(y) * width + at(x + d, width)]
                                    : plane[static_cast<std::size_t>(at(y + d, height)) * width + x];
                    }
                    pass[static_cast<std::size_t>(y) * width + x] = sum / (2 * radius + 1);
                }
            }
            plane.swap(pass);
        }
        double mean = 0;
        double square = 0;
        for (const double v : plane) {
            mean += v;
            square += v * v;
        }
        mean /= static_cast<double>(plane.size());
        const double variance = square / static_cast<double>(plane.size()) - mean * mean;
        const double spread = std::sqrt(std::max(variance, 1e-9));
        for (std::size_t i = 0; i < plane.size(); ++i) {
            const double value = std::nearbyint(128 + (plane[i] - mean) * 48 / spread);
            image.Row(0)[3 * i + c] = static_cast<std::uint8_t>(std::clamp(value, 0.0, 255.0));
        }
    }
    return image;
}

}  // namespace qm::test
