// SPDX-License-Identifier: MIT
#include "engine/UmuSharp.h"

#include <cmath>

namespace qm {
namespace {

// The fold geometry, formed at extended precision.
struct Fold {
    explicit Fold(int x)
        : phi(kPi / 8),
          t(std::tan(phi)),
          a(std::cos(phi) * std::cos(phi) - std::sin(phi) * std::sin(phi)),
          b(2 * std::cos(phi) * std::sin(phi)),
          r(Nearest(x * std::sqrt(2.0L) / 2))
    {
    }

    static int Nearest(long double v) { return static_cast<int>(std::nearbyint(v)); }

    static constexpr long double kPi = 3.141592653589793238462643383279502884L;

    long double phi;  // the wedge angle
    long double t;    // tan(phi)
    long double a;    // cos(2 phi)
    long double b;    // sin(2 phi)
    int r;            // side of the folded square
};

}  // namespace

void TSharp::BuildMap()
{
    const int n = X();
    const Fold f(n);
    BuildIdentityIndexMap(n, n);
    // On and below the diagonal: the wedge itself, and above its edge the
    // wedge mirrored across the line through [0][0] at pi/8.
    for (int i = 0; i < f.r; ++i) {
        const int m = Fold::Nearest(i * f.t);
        for (int j = 0; j <= m; ++j) {
            ResultMap(i, j) = IndexMap(i, j);
        }
        for (int j = m + 1; j <= i; ++j) {
            const int u = Fold::Nearest(i * f.a + j * f.b);
            const int v = Fold::Nearest(i * f.b - j * f.a);
            ResultMap(i, j) = IndexMap(u, v);
        }
    }
    // Above the diagonal: its mirror image.
    for (int i = 0; i < f.r; ++i) {
        for (int c = f.r - 1; c > i; --c) {
            ResultMap(i, c) = ResultMap(c, i);
        }
    }
}

std::optional<TPoint> TSharp::TileSizeFor(TPoint size) const
{
    const int r = Fold(size.X).r;
    return TPoint{2 * r - 2, 2 * r - 2};
}

// Mirror lines through the fold centre's column and row and the folded
// square's last ones.
TileAnchor TSharp::Anchor() const
{
    return {1, 1};
}

void TSharp::BuildResult()
{
    const int r = Fold(X()).r;
    const TPoint tile = *TileSizeFor({X(), Y()});
    Result().SetHeight(tile.Y);
    Result().SetWidth(tile.X);
    RenderResultMap(r, r);
    MirrorColumns(Result().Width() - 1, Result().Height());
    MirrorRows(Result().Height() - 1);
}

}  // namespace qm
