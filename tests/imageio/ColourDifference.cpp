// SPDX-License-Identifier: MIT
#include "ColourDifference.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace qm::test {
namespace {

struct Lab {
    double L, A, B;
};

double Linear(std::uint8_t v)
{
    const double c = v / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

Lab LabOf(const std::uint8_t* bgr)
{
    const double r = Linear(bgr[2]), g = Linear(bgr[1]), b = Linear(bgr[0]);
    const double x = (0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047;
    const double y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b;
    const double z = (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883;
    const auto f = [](double t) {
        return t > 216.0 / 24389 ? std::cbrt(t) : (24389.0 / 27 * t + 16) / 116;
    };
    return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

double Degrees(double radians)
{
    const double d = radians * 180 / std::numbers::pi;
    return d < 0 ? d + 360 : d;
}

double Radians(double degrees)
{
    return degrees * std::numbers::pi / 180;
}

// Sharma, Wu and Dalal's formulation.
double Ciede2000(const Lab& p, const Lab& q)
{
    const double c1 = std::hypot(p.A, p.B), c2 = std::hypot(q.A, q.B);
    const double cMean7 = std::pow((c1 + c2) / 2, 7);
    const double g = 0.5 * (1 - std::sqrt(cMean7 / (cMean7 + std::pow(25.0, 7))));
    const double a1 = (1 + g) * p.A, a2 = (1 + g) * q.A;
    const double cp1 = std::hypot(a1, p.B), cp2 = std::hypot(a2, q.B);
    const double h1 = (a1 == 0 && p.B == 0) ? 0 : Degrees(std::atan2(p.B, a1));
    const double h2 = (a2 == 0 && q.B == 0) ? 0 : Degrees(std::atan2(q.B, a2));
    const double dL = q.L - p.L, dC = cp2 - cp1;
    double dh = 0;
    if (cp1 * cp2 != 0) {
        dh = h2 - h1;
        if (dh > 180) {
            dh -= 360;
        } else if (dh < -180) {
            dh += 360;
        }
    }
    const double dH = 2 * std::sqrt(cp1 * cp2) * std::sin(Radians(dh / 2));
    const double lMean = (p.L + q.L) / 2, cMean = (cp1 + cp2) / 2;
    double hMean = h1 + h2;
    if (cp1 * cp2 != 0) {
        hMean = std::abs(h1 - h2) <= 180 ? (h1 + h2) / 2
                : h1 + h2 < 360          ? (h1 + h2 + 360) / 2
                                         : (h1 + h2 - 360) / 2;
    }
    const double t = 1 - 0.17 * std::cos(Radians(hMean - 30)) + 0.24 * std::cos(Radians(2 * hMean)) +
                     0.32 * std::cos(Radians(3 * hMean + 6)) - 0.20 * std::cos(Radians(4 * hMean - 63));
    const double dTheta = 30 * std::exp(-std::pow((hMean - 275) / 25, 2));
    const double cMeanP7 = std::pow(cMean, 7);
    const double rc = 2 * std::sqrt(cMeanP7 / (cMeanP7 + std::pow(25.0, 7)));
    const double sl = 1 + 0.015 * std::pow(lMean - 50, 2) / std::sqrt(20 + std::pow(lMean - 50, 2));
    const double sc = 1 + 0.045 * cMean, sh = 1 + 0.015 * cMean * t;
    const double rt = -std::sin(Radians(2 * dTheta)) * rc;
    return std::sqrt(std::pow(dL / sl, 2) + std::pow(dC / sc, 2) + std::pow(dH / sh, 2) +
                     rt * (dC / sc) * (dH / sh));
}

}  // namespace

ColourDifference CompareColours(const Image& a, const Image& b)
{
    std::vector<double> differences;
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            differences.push_back(Ciede2000(LabOf(a.Pixel(x, y)), LabOf(b.Pixel(x, y))));
        }
    }
    ColourDifference result;
    if (differences.empty()) {
        return result;
    }
    for (const double d : differences) {
        result.Mean += d / static_cast<double>(differences.size());
    }
    std::sort(differences.begin(), differences.end());
    result.Percentile99 = differences[(differences.size() - 1) * 99 / 100];
    return result;
}

}  // namespace qm::test
