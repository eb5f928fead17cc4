// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <vector>

#include "core/Image.h"

namespace qm {

// The sums over a rectangle of a picture that fit its luminance a plane.
// Luminance is counted in thousandths of a level (114 blue + 587 green +
// 299 red, so 0 to 255000), x and y are a pixel's column and row in the
// picture. The sums are exact: a rectangle within Image's limits stays
// below 2^64 in each of them.
struct LuminanceMoments {
    std::uint64_t L = 0;
    std::uint64_t XL = 0;
    std::uint64_t YL = 0;
    std::uint64_t LL = 0;
};

// The moments of rect, summed pixel by pixel. Here and below, rect lies
// within the picture.
LuminanceMoments MomentsOf(const Image& picture, const Rect& rect);

// Summed-area tables of the moments over a whole picture, so that the
// moments of any rectangle come from four entries of each. The tables wrap
// modulo 2^64, which leaves a rectangle's own sums exact. 32 bytes for
// every pixel of the picture.
class MomentsTable {
public:
    explicit MomentsTable(const Image& picture);

    LuminanceMoments Of(const Rect& rect) const;

private:
    std::size_t stride_ = 0;
    std::vector<LuminanceMoments> sums_;
};

// The structure of rect: the standard deviation, in levels 0 to 255, of its
// luminance less the plane that fits it best by least squares. A gradient,
// however steep, has none; noise, edges and texture keep all of theirs.
// 0 for an empty rect. moments are those of rect.
double PlaneResidualDeviation(const LuminanceMoments& moments, const Rect& rect);

}  // namespace qm
