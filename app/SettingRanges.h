// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace qm {

// The ranges of the main window's settings, which its checks and the checks
// of a run record share.
inline constexpr std::int32_t kCountMin = 1;
inline constexpr std::int32_t kCountMax = 100;
inline constexpr int kQualityMin = 1;
inline constexpr int kQualityMax = 100;
// The distorted square's rotate number.
inline constexpr std::int32_t kRotateNumMin = 2;
inline constexpr std::int32_t kRotateNumMax = 20;
// The factor of smooth edges: a tile is made from a cut this many times
// larger.
inline constexpr int kSmoothFactorLeast = 2;
inline constexpr int kSmoothFactorMost = 4;
inline constexpr int kSmoothFactorDefault = 3;

}  // namespace qm
