// SPDX-License-Identifier: MIT
#include "imageio/colour/Cicp.h"

#include <array>

namespace qm::colour {
namespace {

constexpr int kTransferGamma22 = 4;
constexpr int kTransferGamma28 = 5;
constexpr int kTransferLinear = 8;
constexpr int kTransferPq = 16;
constexpr int kTransferHlg = 18;

struct Chromaticities {
    cmsCIExyY White;
    cmsCIExyYTRIPLE Primaries;
};

constexpr cmsCIExyY kD65{0.3127, 0.3290, 1.0};
constexpr cmsCIExyY kIlluminantC{0.310, 0.316, 1.0};

constexpr Chromaticities Make(cmsCIExyY white, double rx, double ry, double gx, double gy,
                              double bx, double by)
{
    return {white, {{rx, ry, 1.0}, {gx, gy, 1.0}, {bx, by, 1.0}}};
}

// The colour primaries table of H.273.
Chromaticities ChromaticitiesOf(int primaries)
{
    switch (primaries) {
    case 4: return Make(kIlluminantC, 0.67, 0.33, 0.21, 0.71, 0.14, 0.08);
    case 5: return Make(kD65, 0.64, 0.33, 0.29, 0.60, 0.15, 0.06);
    case 6:
    case 7: return Make(kD65, 0.630, 0.340, 0.310, 0.595, 0.155, 0.070);
    case 8: return Make(kIlluminantC, 0.681, 0.319, 0.243, 0.692, 0.145, 0.049);
    case 9: return Make(kD65, 0.708, 0.292, 0.170, 0.797, 0.131, 0.046);
    case 10: return Make({1.0 / 3, 1.0 / 3, 1.0}, 1.0, 0.0, 0.0, 1.0, 0.0, 0.0);
    case 11: return Make({0.314, 0.351, 1.0}, 0.680, 0.320, 0.265, 0.690, 0.150, 0.060);
    case 12: return Make(kD65, 0.680, 0.320, 0.265, 0.690, 0.150, 0.060);
    case 22: return Make(kD65, 0.630, 0.340, 0.295, 0.605, 0.155, 0.077);
    default: return Make(kD65, 0.640, 0.330, 0.300, 0.600, 0.150, 0.060);
    }
}

cmsToneCurve* CurveOf(cmsContext context, int transfer)
{
    switch (transfer) {
    case kTransferGamma22: return cmsBuildGamma(context, 2.2);
    case kTransferGamma28: return cmsBuildGamma(context, 2.8);
    case kTransferLinear: return cmsBuildGamma(context, 1.0);
    default: {
        // IEC 61966-2-1: ((x + 0.055) / 1.055)^2.4 above 0.04045, x / 12.92 below.
        const double params[5] = {2.4, 1.0 / 1.055, 0.055 / 1.055, 1.0 / 12.92, 0.04045};
        return cmsBuildParametricToneCurve(context, 4, params);
    }
    }
}

}  // namespace

bool IsHdrTransfer(const CicpColour& cicp)
{
    return cicp.Transfer == kTransferPq || cicp.Transfer == kTransferHlg;
}

cmsHPROFILE ProfileOfCicp(cmsContext context, const CicpColour& cicp)
{
    const Chromaticities chromaticities = ChromaticitiesOf(cicp.Primaries);
    cmsToneCurve* curve = CurveOf(context, cicp.Transfer);
    if (curve == nullptr) {
        return nullptr;
    }
    std::array<cmsToneCurve*, 3> curves = {curve, curve, curve};
    cmsHPROFILE profile = cmsCreateRGBProfileTHR(context, &chromaticities.White,
                                                 &chromaticities.Primaries, curves.data());
    cmsFreeToneCurve(curve);
    return profile;
}

}  // namespace qm::colour
