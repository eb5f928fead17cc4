// SPDX-License-Identifier: MIT
#pragma once

#include <optional>

namespace qm {

// The most positions one tile tries when flat pieces are skipped.
inline constexpr int kSkipFlatPositions = 50;

// The draws of one tile: the top left corner of its piece in the source and,
// when the brightness changes, the amount added to it (kBrightnessAmountMin
// to below kBrightnessAmountEnd).
inline constexpr double kBrightnessAmountMin = -0.25;
inline constexpr double kBrightnessAmountEnd = 0.25;
struct TileDraw {
    int X0 = 0;
    int Y0 = 0;
    std::optional<double> Amount;
    // Positions drawn for the tile; the one used is among them.
    int Tried = 1;
};

}  // namespace qm
