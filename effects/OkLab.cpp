// SPDX-License-Identifier: MIT
// OKLab by hand: it is two 3 by 3 products around cube roots, with Björn
// Ottosson's published matrices; no Debian colour library (lcms2 works with
// ICC profiles, babl through its own pipeline) offers it as a plain call.
#include "effects/OkLab.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace qm {
namespace {

double DecodeSrgb(double encoded)
{
    return encoded <= 0.04045 ? encoded / 12.92 : std::pow((encoded + 0.055) / 1.055, 2.4);
}

const std::array<double, 256>& LinearTable()
{
    static const std::array<double, 256> table = [] {
        std::array<double, 256> values{};
        for (int i = 0; i < 256; ++i) {
            values[static_cast<std::size_t>(i)] = DecodeSrgb(i / 255.0);
        }
        return values;
    }();
    return table;
}

// The linear values halfway between neighbouring 8-bit components: the
// component nearest a linear value is the number of midpoints below it,
// found in eight comparisons instead of a power.
const std::array<double, 255>& Midpoints()
{
    static const std::array<double, 255> midpoints = [] {
        std::array<double, 255> values{};
        for (int i = 0; i < 255; ++i) {
            values[static_cast<std::size_t>(i)] = DecodeSrgb((i + 0.5) / 255.0);
        }
        return values;
    }();
    return midpoints;
}

// Linear components this far outside 0..1 count as inside: the rounding of
// the conversions there and back, far below an 8-bit step.
constexpr double kGamutSlack = 1e-9;

bool InGamut(const LinearRgb& c)
{
    const auto inside = [](double v) { return v >= -kGamutSlack && v <= 1.0 + kGamutSlack; };
    return inside(c.R) && inside(c.G) && inside(c.B);
}

Srgb8 Encode(const LinearRgb& c)
{
    return {SrgbFromLinear(c.R), SrgbFromLinear(c.G), SrgbFromLinear(c.B)};
}

}  // namespace

double LinearFromSrgb(std::uint8_t component)
{
    return LinearTable()[component];
}

std::uint8_t SrgbFromLinear(double linear)
{
    const std::array<double, 255>& midpoints = Midpoints();
    return static_cast<std::uint8_t>(
        std::upper_bound(midpoints.begin(), midpoints.end(), linear) - midpoints.begin());
}

OkLab OkLabFromLinear(const LinearRgb& c)
{
    const double l = std::cbrt(0.4122214708 * c.R + 0.5363325363 * c.G + 0.0514459929 * c.B);
    const double m = std::cbrt(0.2119034982 * c.R + 0.6806995451 * c.G + 0.1073969566 * c.B);
    const double s = std::cbrt(0.0883024619 * c.R + 0.2817188376 * c.G + 0.6299787005 * c.B);
    return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
            1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
            0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}

LinearRgb LinearFromOkLab(const OkLab& c)
{
    const double l = c.L + 0.3963377774 * c.A + 0.2158037573 * c.B;
    const double m = c.L - 0.1055613458 * c.A - 0.0638541728 * c.B;
    const double s = c.L - 0.0894841775 * c.A - 1.2914855480 * c.B;
    const double l3 = l * l * l;
    const double m3 = m * m * m;
    const double s3 = s * s * s;
    return {4.0767416621 * l3 - 3.3077115913 * m3 + 0.2309699292 * s3,
            -1.2684380046 * l3 + 2.6097574011 * m3 - 0.3413193965 * s3,
            -0.0041960863 * l3 - 0.7034186147 * m3 + 1.7076147010 * s3};
}

OkLch LchFromLab(const OkLab& c)
{
    return {c.L, std::hypot(c.A, c.B), std::atan2(c.B, c.A)};
}

OkLab LabFromLch(const OkLch& c)
{
    return {c.L, c.C * std::cos(c.H), c.C * std::sin(c.H)};
}

OkLab OkLabOf(const Srgb8& colour)
{
    return OkLabFromLinear({LinearFromSrgb(colour.R), LinearFromSrgb(colour.G), LinearFromSrgb(colour.B)});
}

Srgb8 SrgbInGamut(const OkLab& colour)
{
    const LinearRgb linear = LinearFromOkLab(colour);
    if (InGamut(linear)) {
        return Encode(linear);
    }
    // Scaling A and B together lowers the chroma and keeps the hue. The
    // grey of the same lightness is inside for lightness 0 to 1.
    double inside = 0.0;
    double outside = 1.0;
    for (int step = 0; step < 16; ++step) {
        const double middle = (inside + outside) / 2;
        (InGamut(LinearFromOkLab({colour.L, colour.A * middle, colour.B * middle})) ? inside : outside) =
            middle;
    }
    return Encode(LinearFromOkLab({colour.L, colour.A * inside, colour.B * inside}));
}

}  // namespace qm
