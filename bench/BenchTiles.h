// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <vector>

#include "core/Image.h"

namespace qm::bench {

struct CutPosition {
    int X = 0;
    int Y = 0;
};

// The cut positions a run with the fixed seed draws from a source of
// sourceWidth by sourceHeight: x then y per tile, Random(dx) and
// Random(dy), exactly as the generation run draws them (without the
// brightness option).
std::vector<CutPosition> SeededCutPositions(int sourceWidth, int sourceHeight, int cut, int count,
                                            std::uint32_t seed);

// The tiles the built-in method of code makes from the cut-by-cut pieces
// of source at the positions (the distorted square with rotate number 3,
// large cuts on for a cut beyond 256). Throws std::runtime_error when the maker
// refuses.
std::vector<Image> MakeTiles(const Image& source, std::uint8_t code, int cut,
                             const std::vector<CutPosition>& positions);

// Median of the values (the mean of the two middle ones for an even count).
double Median(std::vector<double> values);

}  // namespace qm::bench
