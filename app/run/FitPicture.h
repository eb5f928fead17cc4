// SPDX-License-Identifier: MIT
#pragma once

#include <optional>

#include "core/Image.h"

namespace qm {

struct PictureSize {
    int Width = 0;
    int Height = 0;

    bool operator==(const PictureSize&) const = default;
};

// The size to which a width by height picture is scaled down so that a cut
// whose longer side is cutSide is percent % of the picture's shorter side:
// that side becomes round(cutSide * 100 / percent), the other in
// proportion. Nothing when the cut is already at least that share, or the
// size would not shrink.
std::optional<PictureSize> FittedSize(int width, int height, int cutSide, int percent);

// A picture fitted to the cut as above, and the scale it was fitted by (1
// when it was kept as it was).
struct FittedPicture {
    Image Picture;
    double Scale = 1.0;
};

FittedPicture FitPicture(Image picture, int cutSide, int percent);

// The same for a picture decoded smaller than its full size full, as a
// JPEG's scaled decode is (at least the fitted size on both sides): it is
// resampled to the size fitted from full, and its scale taken against full.
FittedPicture FitPicture(Image picture, int cutSide, int percent, PictureSize full);

}  // namespace qm
