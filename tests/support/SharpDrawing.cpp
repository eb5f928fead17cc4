// SPDX-License-Identifier: MIT
#include "support/SharpDrawing.h"

#include <cmath>
#include <cstdlib>
#include <numbers>

namespace qm::test {
namespace {

// Whether (u, v) lies on a stripe of a family at angle degrees: stripes
// 0.3 of a period wide, 36 periods to the side.
bool OnStripe(double u, double v, double degrees)
{
    const double a = degrees * std::numbers::pi / 180;
    const double t = (u * std::cos(a) + v * std::sin(a)) * 36;
    return t - std::floor(t) < 0.3;
}

void Put(std::uint8_t* pixel, int red, int green, int blue)
{
    pixel[0] = static_cast<std::uint8_t>(blue);
    pixel[1] = static_cast<std::uint8_t>(green);
    pixel[2] = static_cast<std::uint8_t>(red);
}

double PixelDifference(const std::uint8_t* a, const std::uint8_t* b)
{
    return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]);
}

}  // namespace

Image SharpDrawing(int side)
{
    Image drawing(side, side);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const double u = (x + 0.5) / side;
            const double v = (y + 0.5) / side;
            const double ring = std::hypot(u - 0.37, v - 0.58) * 28;
            std::uint8_t* pixel = drawing.Pixel(x, y);
            if (ring - std::floor(ring) < 0.25) {
                Put(pixel, 250, 225, 40);
            } else if (OnStripe(u, v, 110)) {
                Put(pixel, 40, 60, 210);
            } else if (OnStripe(u, v, 65)) {
                Put(pixel, 30, 160, 60);
            } else if (OnStripe(u, v, 20)) {
                Put(pixel, 220, 40, 40);
            } else {
                Put(pixel, 235, 235, 225);
            }
        }
    }
    return drawing;
}

double MeanDifference(const Image& a, const Image& b)
{
    double sum = 0;
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            sum += PixelDifference(a.Pixel(x, y), b.Pixel(x, y));
        }
    }
    return sum / (3.0 * a.Width() * a.Height());
}

double SeamStep(const Image& tile)
{
    const int w = tile.Width();
    const int h = tile.Height();
    double across = 0;
    for (int y = 0; y < h; ++y) {
        across += PixelDifference(tile.Pixel(w - 1, y), tile.Pixel(0, y));
    }
    for (int x = 0; x < w; ++x) {
        across += PixelDifference(tile.Pixel(x, h - 1), tile.Pixel(x, 0));
    }
    double inside = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (x + 1 < w) {
                inside += PixelDifference(tile.Pixel(x, y), tile.Pixel(x + 1, y));
            }
            if (y + 1 < h) {
                inside += PixelDifference(tile.Pixel(x, y), tile.Pixel(x, y + 1));
            }
        }
    }
    const double insidePairs = static_cast<double>(w - 1) * h + static_cast<double>(h - 1) * w;
    return (across / (w + h)) / (inside / insidePairs);
}

}  // namespace qm::test
