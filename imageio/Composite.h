// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

#include "imageio/DecodeOptions.h"

namespace qm {

// The 8-bit value of a sample of value (0 to max) with alpha (0 to
// alphaMax) laid on a background value (0 to 255), in the encoded values,
// rounded to the nearest (halves to even): 255 * (value / max * a +
// background / 255 * (1 - a)) with a = alpha / alphaMax; a premultiplied
// sample already holds value / max * a. Results above 255 give 255.
std::uint8_t Composite(std::uint32_t value, std::uint32_t alpha, std::uint32_t max,
                       std::uint32_t alphaMax, std::uint8_t background, bool premultiplied);

// The same for width 8-bit pixels stored red, green, blue, alpha, written
// as blue, green, red to bgr.
void CompositeRow(const std::uint8_t* rgba, std::uint8_t* bgr, int width, Rgb background,
                  bool premultiplied);

// Background a picture with alpha is laid on: options' or white.
inline Rgb BackgroundOf(const DecodeOptions& options)
{
    return options.Background.value_or(Rgb{255, 255, 255});
}

}  // namespace qm
