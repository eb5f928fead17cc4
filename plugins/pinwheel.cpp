// SPDX-License-Identifier: MIT
// Pinwheel: a square kaleidoscope whose mirror lines are bent into a swirl,
// so the pattern turns by quarter turns about the centres of its rosettes
// but has no mirror image any more: it keeps a sense of rotation, like a
// pinwheel. The tile repeats as it is (symmetry type 1).
//
// Every tile point p is first moved along the level lines of
// f = cos(2 pi x) + cos(2 pi y) (one repeat is 1 by 1), which turns quarter
// turns into quarter turns but mirrors into no symmetry at all; the moved
// point is then folded by the mirrors of a square kaleidoscope into the
// triangle 0 <= y <= x <= 1/2, which shows the triangle of the piece below
// its diagonal from the bottom left to the top right corner.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "quillmore_plugin.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;
// How far the swirl moves a point, in repeats.
constexpr double kSwirl = 0.09;

std::int32_t pieceX = 0;
std::int32_t pieceY = 0;

// Distance to the nearest whole number, 0 to 1/2: the fold by the mirror
// lines at whole and half numbers.
double Fold(double t)
{
    const double inRepeat = t - std::floor(t);
    return std::min(inRepeat, 1.0 - inRepeat);
}

}  // namespace

std::int32_t QuillmoreDLL()
{
    return 1;
}

// The repeat shows the piece's triangle eight times; a half repeat is as
// wide as the piece's shorter side, within the 256-pixel limit.
void MakeImageSize(std::int32_t x, std::int32_t y, std::int32_t* w, std::int32_t* h)
{
    pieceX = x;
    pieceY = y;
    *w = *h = std::min(2 * std::min(x, y), 256);
}

void MakeTransMethod(std::int32_t w, std::int32_t h, std::int32_t i, std::int32_t j,
                     std::int32_t* sx, std::int32_t* sy)
{
    const double x = static_cast<double>(i) / w;
    const double y = static_cast<double>(j) / h;
    double u = Fold(x + kSwirl * std::sin(kTwoPi * y));
    double v = Fold(y - kSwirl * std::sin(kTwoPi * x));
    if (v > u) {
        std::swap(u, v);
    }
    const double leg = std::min(pieceX, pieceY) - 1;
    *sx = static_cast<std::int32_t>(std::lround(u * 2.0 * leg));
    *sy = static_cast<std::int32_t>(std::lround(v * 2.0 * leg));
}

std::int32_t SymmetryType()
{
    return 1;
}
