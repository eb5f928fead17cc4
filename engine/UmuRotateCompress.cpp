// SPDX-License-Identifier: MIT
#include "engine/UmuRotateCompress.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/Bands.h"

namespace qm {
namespace {

// Side of the warped square for a cut of x by y.
int WarpSide(int x, int y)
{
    const int m = std::min(x, y);
    return static_cast<int>(std::trunc(m / std::sqrt(2.0L)));
}

}  // namespace

void TRotateCompress::BuildMap()
{
    const int s = WarpSide(X(), Y());
    const int c = s / 2;
    BuildIdentityIndexMap(X(), Y());
    // Every cell of the warped square is worked out on its own; the square
    // of a large cut takes long enough to share its columns among the cores.
    // The offsets of a cell below the centre row are those of its mirror
    // image above it with the vertical one negated: atan2, the sine and the
    // truncation are odd and the cosine even, exactly so in floating point,
    // which halves the trigonometry.
    const auto warp = [this, s, c](int first, int last) {
        std::vector<int> upX(static_cast<std::size_t>(s));
        std::vector<int> upY(static_cast<std::size_t>(s));
        for (int i = first; i < last; ++i) {
            for (int j = s - 1; j >= 0; --j) {
                const int dx = i - c;
                const int dy = j - c;
                int ox = 0;
                int oy = 0;
                if (dy < 0 && c - dy < s) {
                    ox = upX[static_cast<std::size_t>(c - dy)];
                    oy = -upY[static_cast<std::size_t>(c - dy)];
                } else {
                    const double d = std::sqrt(static_cast<double>(dx * dx + dy * dy));
                    const double theta = std::atan2(static_cast<double>(dy), static_cast<double>(dx));
                    const double a = RotateNum * theta;
                    // The offsets are formed at extended precision and cut
                    // toward zero, which pulls them toward the centre of the
                    // piece.
                    const long double la = a;
                    const long double ld = d;
                    ox = static_cast<int>(std::trunc(std::cos(la) * ld));
                    oy = static_cast<int>(std::trunc(std::sin(la) * ld));
                    upX[static_cast<std::size_t>(j)] = ox;
                    upY[static_cast<std::size_t>(j)] = oy;
                }
                const int sx = std::clamp(X() / 2 + ox, 0, X() - 1);
                const int sy = std::clamp(Y() / 2 + oy, 0, Y() - 1);
                ResultMap(i, j) = IndexMap(sx, sy);
            }
        }
    };
    if (s > kPixelSide) {
        ForBands(s, Cores(), warp);
    } else {
        warp(0, s);
    }
}

std::optional<TPoint> TRotateCompress::TileSizeFor(TPoint size) const
{
    const int s = WarpSide(size.X, size.Y);
    return TPoint{2 * s - 2, 2 * s - 2};
}

// Mirror lines through the warped square's first and last columns and rows.
TileAnchor TRotateCompress::Anchor() const
{
    return {1, 1};
}

void TRotateCompress::BuildResult()
{
    const int s = WarpSide(X(), Y());
    const TPoint tile = *TileSizeFor({X(), Y()});
    Result().SetHeight(tile.Y);
    Result().SetWidth(tile.X);
    RenderResultMap(s, s);
    MirrorColumns(Result().Width() - 1, Result().Height());
    MirrorRows(Result().Height() - 1);
}

}  // namespace qm
