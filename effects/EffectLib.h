// SPDX-License-Identifier: MIT
#pragma once

#include "core/Image.h"
#include "effects/Rgblib.h"

namespace qm {

// Changes the brightness of a picture by moving each pixel's luma towards
// white or black.
class TImageEffect {
public:
    // Replaces both the source copy and the result by copies of image.
    void SetSource(const Image& image);
    // Amount in -1..1: positive lightens, negative darkens. Outside that
    // range it throws SilentStop and leaves the result as it was.
    void ChangeBrightness(double amount);
    const Image& GetResult() const { return result_; }

private:
    Image result_;
    Image source_;
    TRgb colour_;
};

}  // namespace qm
