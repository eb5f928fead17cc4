// SPDX-License-Identifier: MIT
#include "engine/UmuSankaku.h"

#include <cmath>

namespace qm {
namespace {

// The triangle of a cut width: side s, half side h, exact height Hd and the
// band height H in rows.
struct Triangle {
    explicit Triangle(int x)
        : s(x % 2 != 0 ? x - 1 : x), h(s / 2), hd(s * std::sqrt(3.0) / 2), H(Nearest(hd))
    {
    }

    static int Nearest(double v) { return static_cast<int>(std::nearbyint(v)); }

    // The topmost row handled in column i of a triangle, one row beyond its
    // slanted edge.
    int Rise(int i) const
    {
        const double sqrt3 = std::sqrt(3.0);
        return i < h ? static_cast<int>(sqrt3 * i) + 1 : static_cast<int>(sqrt3 * (s - i)) + 1;
    }

    int s;
    int h;
    double hd;
    int H;
};

}  // namespace

void TSankaku::BuildMap()
{
    const Triangle t(X());
    const int s = t.s;
    const int h = t.h;
    const int H = t.H;
    const double sqrt3 = std::sqrt(3.0);

    // Identity with a guard row (a copy of row H - 1) and a guard column.
    for (int i = 0; i < s; ++i) {
        for (int j = 0; j < H; ++j) {
            IndexMap(i, j) = Code(i, j);
        }
        IndexMap(i, H) = Code(i, H - 1);
    }
    for (int j = 0; j <= s; ++j) {
        IndexMap(s, j) = Code(s - 1, j);
    }
    if (ShuffleFlag()) {
        Shuffle();
    }

    // The source triangle, and the same upside down.
    for (int i = 0; i < s; ++i) {
        for (int j = 0; j <= t.Rise(i); ++j) {
            ResultMap(h + i, j) = IndexMap(i, j);
        }
    }
    for (int i = 0; i < s; ++i) {
        for (int j = 0; j <= t.Rise(i); ++j) {
            if (H - j >= 0) {
                ResultMap(2 * s + i, H - j) = IndexMap(i, j);
            }
        }
    }

    // Mirror across the left edge of the source triangle.
    for (int i = 0; i < s; ++i) {
        for (int m = 0; m <= t.Rise(i); ++m) {
            const double p = s / 2.0 + ((s - i) - sqrt3 * m) / 2;
            const double r = t.hd - (m + sqrt3 * (s - i)) / 2;
            if (Triangle::Nearest(r) < 0 || H - m < 0) {
                continue;
            }
            const std::int32_t code = IndexMap(Triangle::Nearest(p), Triangle::Nearest(r));
            ResultMap(i, H - m) = code;
            ResultMap(s + h + i, m) = code;
        }
    }

    // Mirror across the right edge of the source triangle.
    for (int l = 0; l < s; ++l) {
        for (int m = 0; m <= t.Rise(l); ++m) {
            const double p = s / 2.0 + (sqrt3 * m - l) / 2;
            const double r = t.hd - (sqrt3 * l + m) / 2;
            if (Triangle::Nearest(r) < 0 || H - m < 0) {
                continue;
            }
            const std::int32_t code = IndexMap(Triangle::Nearest(p), Triangle::Nearest(r));
            ResultMap(s + l, H - m) = code;
            if (l < h) {
                ResultMap(2 * s + h + l, m) = code;
            } else {
                ResultMap(l - h, m) = code;
            }
        }
    }
}

std::optional<TPoint> TSankaku::TileSizeFor(TPoint size) const
{
    const Triangle t(size.X);
    return TPoint{3 * t.s, 2 * t.H - 2};
}

// Mirror lines through the first row and the row of the triangle bases; the
// band's triangles stand on pixel edges.
TileAnchor TSankaku::Anchor() const
{
    return {0, 1};
}

void TSankaku::BuildResult()
{
    const Triangle t(X());
    const TPoint tile = *TileSizeFor({X(), Y()});
    Result().SetHeight(tile.Y);
    Result().SetWidth(tile.X);
    RenderResultMap(3 * t.s, t.H);
    MirrorRows(t.H);
}

}  // namespace qm
