// SPDX-License-Identifier: MIT
#pragma once

#include <optional>

#include "core/Image.h"
#include "effects/LuminanceStructure.h"

namespace qm {

// Judges the detail of pieces of one source picture: the standard deviation
// of a piece's luminance (levels 0 to 255) less its best-fitting plane, so
// that a sky or a studio backdrop, however much it darkens from one edge to
// the other, counts as flat, and a piece a person calls flat stays below 6.
class PieceDetail {
public:
    // The picture with more pixels than this is summed piece by piece even
    // for many pieces: its tables would take 32 bytes a pixel, 128 MiB here.
    static constexpr std::int64_t kMaxTablePixels = std::int64_t{1} << 22;

    // With manyPieces (every tile of a run) the picture's summed-area tables
    // are built once, and each piece then costs the same whatever its size.
    // source must outlive this object.
    PieceDetail(const Image& source, bool manyPieces);

    // The detail of rect; 0 for an empty one.
    double Of(const Rect& rect) const;

private:
    const Image& source_;
    std::optional<MomentsTable> table_;
};

}  // namespace qm
