// SPDX-License-Identifier: MIT
#include "effects/LuminanceStructure.h"

#include <cmath>

namespace qm {
namespace {

std::uint64_t Luminance(const std::uint8_t* bgr)
{
    return 114u * bgr[0] + 587u * bgr[1] + 299u * bgr[2];
}

void Add(LuminanceMoments& sums, std::uint64_t x, std::uint64_t y, std::uint64_t luminance)
{
    sums.L += luminance;
    sums.XL += x * luminance;
    sums.YL += y * luminance;
    sums.LL += luminance * luminance;
}

LuminanceMoments operator+(LuminanceMoments a, const LuminanceMoments& b)
{
    a.L += b.L;
    a.XL += b.XL;
    a.YL += b.YL;
    a.LL += b.LL;
    return a;
}

LuminanceMoments operator-(LuminanceMoments a, const LuminanceMoments& b)
{
    a.L -= b.L;
    a.XL -= b.XL;
    a.YL -= b.YL;
    a.LL -= b.LL;
    return a;
}

}  // namespace

LuminanceMoments MomentsOf(const Image& picture, const Rect& rect)
{
    LuminanceMoments sums;
    for (int y = rect.Top; y < rect.Top + rect.Height; ++y) {
        const std::uint8_t* p = picture.Pixel(rect.Left, y);
        for (int x = rect.Left; x < rect.Left + rect.Width; ++x, p += 3) {
            Add(sums, static_cast<std::uint64_t>(x), static_cast<std::uint64_t>(y), Luminance(p));
        }
    }
    return sums;
}

MomentsTable::MomentsTable(const Image& picture)
    : stride_(static_cast<std::size_t>(picture.Width()) + 1),
      sums_(stride_ * (static_cast<std::size_t>(picture.Height()) + 1))
{
    for (int y = 0; y < picture.Height(); ++y) {
        const std::uint8_t* p = picture.Row(y);
        const LuminanceMoments* above = &sums_[static_cast<std::size_t>(y) * stride_];
        LuminanceMoments* entry = &sums_[static_cast<std::size_t>(y + 1) * stride_];
        LuminanceMoments row;
        for (int x = 0; x < picture.Width(); ++x, p += 3) {
            Add(row, static_cast<std::uint64_t>(x), static_cast<std::uint64_t>(y), Luminance(p));
            entry[x + 1] = above[x + 1] + row;
        }
    }
}

LuminanceMoments MomentsTable::Of(const Rect& rect) const
{
    const auto at = [&](int x, int y) -> const LuminanceMoments& {
        return sums_[static_cast<std::size_t>(y) * stride_ + static_cast<std::size_t>(x)];
    };
    const int right = rect.Left + rect.Width;
    const int bottom = rect.Top + rect.Height;
    return at(right, bottom) - at(rect.Left, bottom) - at(right, rect.Top) +
           at(rect.Left, rect.Top);
}

double PlaneResidualDeviation(const LuminanceMoments& moments, const Rect& rect)
{
    const long double w = rect.Width;
    const long double h = rect.Height;
    const long double n = w * h;
    if (n <= 0) {
        return 0.0;
    }
    // With u and v a pixel's offsets from the rectangle's centre, 1, u and v
    // are orthogonal over the rectangle, so the plane's slopes are the
    // luminance's own covariances with u and v. bx = 2 * sum(u * L) and
    // by = 2 * sum(v * L) are whole numbers below 2^64 and so exact in a long
    // double; only the total, n * sum(L^2) - sum(L)^2, is rounded, relative
    // 2^-64, far below what the level can tell.
    const long double sum = static_cast<long double>(moments.L);
    const long double bx =
        2.0L * static_cast<long double>(moments.XL) - (2.0L * rect.Left + w - 1.0L) * sum;
    const long double by =
        2.0L * static_cast<long double>(moments.YL) - (2.0L * rect.Top + h - 1.0L) * sum;
    long double residual = n * static_cast<long double>(moments.LL) - sum * sum;
    // sum(u^2) = n (w^2 - 1) / 12, and the slope in x takes away
    // sum(u * L)^2 / sum(u^2) of n times the variance; likewise for y.
    if (rect.Width > 1) {
        residual -= 3.0L * bx * bx / (w * w - 1.0L);
    }
    if (rect.Height > 1) {
        residual -= 3.0L * by * by / (h * h - 1.0L);
    }
    if (residual <= 0) {
        return 0.0;
    }
    return static_cast<double>(std::sqrt(residual) / n / 1000.0L);
}

}  // namespace qm
