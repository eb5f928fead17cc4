// SPDX-License-Identifier: MIT
#pragma once

#include "core/Image.h"

namespace qm {

// The fits an automatic fit chooses from, in percent.
inline constexpr int kAutoFitMin = 10;
inline constexpr int kAutoFitMax = 60;
inline constexpr int kAutoFitStep = 5;

// The fit from kAutoFitMin to kAutoFitMax percent (in steps of
// kAutoFitStep) at which pieces of a sizeX by sizeY cut show the most
// structure: the median, over a grid of 5 x 5 places, of the standard
// deviation of a piece's luminance less its best-fitting plane, the measure
// of flat pieces. Each fit is judged on the picture halved by 2 x 2 boxes
// as often as it stays at least as large as the fitted picture, the piece
// taken in proportion, so the picture is never resampled per fit; equal
// scores go to the smaller fit. Draws nothing from the random generator.
int ChooseFit(const Image& picture, int sizeX, int sizeY);

}  // namespace qm
