// SPDX-License-Identifier: MIT
#include "effects/Rgblib.h"

#include <algorithm>
#include <cmath>

namespace qm {

namespace {

std::int32_t ClampComponent(std::int32_t v)
{
    return std::clamp<std::int32_t>(v, 0, 255);
}

// Rounds half to even; the result is clamped by the setter afterwards, so
// only values far outside any colour need limiting here.
std::int32_t RoundComponent(double v)
{
    const double rounded = std::nearbyint(v);
    if (!(rounded >= -256.0)) {
        return -256;
    }
    if (rounded > 511.0) {
        return 511;
    }
    return static_cast<std::int32_t>(rounded);
}

}  // namespace

void TRgb::SetR(std::int32_t v)
{
    r_ = ClampComponent(v);
}

void TRgb::SetG(std::int32_t v)
{
    g_ = ClampComponent(v);
}

void TRgb::SetB(std::int32_t v)
{
    b_ = ClampComponent(v);
}

double TRgb::Luma() const
{
    return r_ * 0.299 / 255 + g_ * 0.587 / 255 + b_ * 0.114 / 255;
}

double TRgb::ChromaBlue() const
{
    return (r_ / 255.0) * (-0.169) - (g_ / 255.0) * 0.332 + (b_ / 255.0) * 0.5;
}

double TRgb::ChromaRed() const
{
    return (r_ / 255.0) * 0.5 - (g_ / 255.0) * 0.419 - (b_ / 255.0) * 0.081;
}

void TRgb::ToYCbCr(double& y, double& cr, double& cb) const
{
    y = Luma();
    cr = ChromaRed();
    cb = ChromaBlue();
}

void TRgb::FromYCbCr(double y, double cr, double cb)
{
    const double r = y + 1.4026 * cr;
    const double g = y - 0.7144 * cr - 0.3444 * cb;
    const double b = y + 1.773 * cb;
    SetR(RoundComponent(r * 255));
    SetG(RoundComponent(g * 255));
    SetB(RoundComponent(b * 255));
}

}  // namespace qm
