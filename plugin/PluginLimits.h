// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace qm {

// The answers of a plug-in library that a run accepts.
inline constexpr std::int32_t kMinConvertedSide = 32;
inline constexpr std::int32_t kMaxConvertedSide = 256;

inline bool ConvertedSizeAccepted(std::int32_t w, std::int32_t h)
{
    return w >= kMinConvertedSide && w <= kMaxConvertedSide && h >= kMinConvertedSide &&
           h <= kMaxConvertedSide;
}

// (sx, sy) must be a cell of the x by y piece.
inline bool SourceCellAccepted(std::int32_t sx, std::int32_t sy, std::int32_t x, std::int32_t y)
{
    return sx >= 0 && sx < x && sy >= 0 && sy < y;
}

}  // namespace qm
