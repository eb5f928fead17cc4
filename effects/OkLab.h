// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

#include "core/Srgb8.h"

namespace qm {

// A colour in linear-light sRGB, 0 to 1 inside the gamut.
struct LinearRgb {
    double R = 0.0;
    double G = 0.0;
    double B = 0.0;
};

// A colour in OKLab: L lightness 0 (black) to 1 (white), A green to red,
// B blue to yellow.
struct OkLab {
    double L = 0.0;
    double A = 0.0;
    double B = 0.0;
};

// The same in polar form, OKLCH: C chroma (at least 0), H hue in radians.
struct OkLch {
    double L = 0.0;
    double C = 0.0;
    double H = 0.0;
};

// The sRGB transfer curve: an 8-bit component in linear light, and a linear
// value back to the nearest 8-bit component (0 below 0, 255 above 1).
double LinearFromSrgb(std::uint8_t component);
std::uint8_t SrgbFromLinear(double linear);

OkLab OkLabFromLinear(const LinearRgb& colour);
LinearRgb LinearFromOkLab(const OkLab& colour);

OkLch LchFromLab(const OkLab& colour);
OkLab LabFromLch(const OkLch& colour);

OkLab OkLabOf(const Srgb8& colour);

// The 8-bit colour of colour; one outside the sRGB gamut is brought into it
// by lowering its chroma at the same lightness and hue (by bisection, to
// 2^-16 of the chroma), so it keeps its lightness where clipping the
// channels would not.
Srgb8 SrgbInGamut(const OkLab& colour);

}  // namespace qm
