// SPDX-License-Identifier: MIT
#include "app/run/FitPicture.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "effects/ScaleDown.h"

namespace qm {

std::optional<PictureSize> FittedSize(int width, int height, int cutSide, int percent)
{
    const int shorter = std::min(width, height);
    if (cutSide < 1 || percent < 1 || std::int64_t{cutSide} * 100 >= std::int64_t{percent} * shorter) {
        return std::nullopt;
    }
    const auto side = static_cast<int>(std::lround(cutSide * 100.0 / percent));
    if (side >= shorter) {
        return std::nullopt;
    }
    const int longer = std::max(width, height);
    const int other = std::max(1, static_cast<int>(std::lround(static_cast<double>(longer) * side / shorter)));
    return width <= height ? PictureSize{side, other} : PictureSize{other, side};
}

FittedPicture FitPicture(Image picture, int cutSide, int percent)
{
    const PictureSize full{picture.Width(), picture.Height()};
    return FitPicture(std::move(picture), cutSide, percent, full);
}

FittedPicture FitPicture(Image picture, int cutSide, int percent, PictureSize full)
{
    const std::optional<PictureSize> size = FittedSize(full.Width, full.Height, cutSide, percent);
    if (!size) {
        return {std::move(picture), 1.0};
    }
    const double scale = static_cast<double>(std::min(size->Width, size->Height)) /
                         std::min(full.Width, full.Height);
    return {ScaleDown(picture, size->Width, size->Height), scale};
}

}  // namespace qm
