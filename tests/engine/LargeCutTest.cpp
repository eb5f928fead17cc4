// SPDX-License-Identifier: MIT
// Cuts beyond 256 pixels: the size rules with large cuts on, and every
// method's tile at such cuts checked pixel by pixel against its geometry.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "MethodTestSupport.h"
#include "engine/ErrorCodes.h"
#include "engine/MethodCatalogue.h"
#include "engine/UmuRotateCompress.h"
#include "engine/UmuSankaku.h"
#include "engine/UmuSankaku2.h"
#include "engine/UmuSharp.h"

namespace qm {
namespace {

using test::LargeNumberedPiece;
using test::PiecePos;
using test::ShownLarge;

template <class Maker>
std::unique_ptr<Maker> Large()
{
    auto maker = std::make_unique<Maker>();
    maker->LargeCuts = true;
    return maker;
}

// Within one pixel in both directions: the rounding of a mirrored cell.
bool Near(PiecePos shown, double column, double rowFromBottom, int x)
{
    return std::abs(shown.column - column) <= 1.0 && std::abs(x - 1 - shown.row - rowFromBottom) <= 1.0;
}

TEST(LargeCuts, SizeRulesOfEveryBuiltinMethod)
{
    for (const MethodInfo& method : BuiltinMethods()) {
        SCOPED_TRACE(method.cliName);
        auto off = CreateBuiltinMaker(method.code);
        EXPECT_FALSE(off->Prepare({258, 258}, false));
        EXPECT_EQ(off->ErrorCode(), kErrCutTooLarge);
        auto largest = CreateBuiltinMaker(method.code);
        largest->LargeCuts = true;
        EXPECT_TRUE(largest->Prepare({2048, 2048}, false));
        auto beyond = CreateBuiltinMaker(method.code);
        beyond->LargeCuts = true;
        EXPECT_FALSE(beyond->Prepare({2048, 2050}, false));
        EXPECT_EQ(beyond->ErrorCode(), kErrCutTooLarge);
        auto small = CreateBuiltinMaker(method.code);
        small->LargeCuts = true;
        EXPECT_FALSE(small->Prepare({30, 30}, false));
        EXPECT_EQ(small->ErrorCode(), kErrCutTooSmall);
    }
}

// Up to 256 the setting changes no pixel.
TEST(LargeCuts, CutsUpTo256GiveTheSameTiles)
{
    const Image piece = test::RandomPiece(256, 256, 9);
    for (const MethodInfo& method : BuiltinMethods()) {
        auto off = CreateBuiltinMaker(method.code, MakerSettings{5});
        auto on = CreateBuiltinMaker(method.code, MakerSettings{5});
        on->LargeCuts = true;
        ASSERT_TRUE(off->Prepare({256, 256}, false) && on->Prepare({256, 256}, false));
        ASSERT_TRUE(off->Make(piece) && on->Make(piece));
        EXPECT_EQ(off->ResultImage(), on->ResultImage()) << method.cliName;
    }
}

TEST(LargeCuts, NoConversionGivesThePieceBack)
{
    for (const TPoint size : {TPoint{300, 40}, TPoint{1030, 2048}}) {
        auto maker = CreateBuiltinMaker(6);
        maker->LargeCuts = true;
        const Image piece = LargeNumberedPiece(size.X, size.Y);
        ASSERT_TRUE(maker->Prepare(size, false));
        ASSERT_TRUE(maker->Make(piece));
        EXPECT_EQ(maker->ResultImage(), piece);
    }
}

// The band of triangles, mirrored across their edges, as plane geometry:
// the piece point (column, row from the bottom) that band point (x, y)
// shows, for a triangle of side s and height hd standing on band row 0.
struct Kaleidoscope {
    explicit Kaleidoscope(int side) : s(side), h(side / 2.0), hd(side * std::sqrt(3.0) / 2) {}

    // The reflection of (x, y) across the line through (qx, 0) and (qx + dx * t, hd * t).
    void Reflect(double& x, double& y, double qx, double dx) const
    {
        const double length = std::hypot(dx, hd);
        const double ux = dx / length;
        const double uy = hd / length;
        const double along = (x - qx) * ux + y * uy;
        x = 2 * (qx + along * ux) - x;
        y = 2 * along * uy - y;
    }

    // False for a point within margin pixels of a triangle edge, whose
    // triangle the rounding decides.
    bool Source(double x, double y, double margin, double& column, double& row) const
    {
        const double slope = y / std::sqrt(3.0);
        const double rising = (x - h - slope) / s;
        const double falling = (x - h + slope) / s;
        const auto nearEdge = [&](double v) {
            const double f = (v - std::floor(v)) * s;
            return f < margin || f > s - margin;
        };
        if (nearEdge(rising) || nearEdge(falling) || y < margin || y > hd - margin) {
            return false;
        }
        const int a = static_cast<int>(std::floor(rising));
        const int b = static_cast<int>(std::floor(falling));
        // Triangles that copy another one turned upside down.
        if (a == b && a != 0) {
            x = a < 0 ? x + s + h : x - s - h;
            y = hd - y;
            return Source(x, y, margin, column, row);
        }
        if (a != b && b == 2) {
            // The source triangle upside down, on band columns 2s .. 3s.
            column = x - 2 * s;
            row = hd - y;
            return true;
        }
        if (a != b) {
            // Across the left (b = 0) or the right (b = 1) edge of the
            // upright triangle on band columns h .. s + h.
            Reflect(x, y, b == 0 ? h : s + h, b == 0 ? h : -h);
        }
        column = x - h;
        row = y;
        return true;
    }

    double s;
    double h;
    double hd;
};

void ExpectKaleidoscopeTile(const Image& tile, int x)
{
    const Kaleidoscope band(x);
    const int H = static_cast<int>(std::nearbyint(band.hd));
    ASSERT_EQ(tile.Width(), 3 * x);
    ASSERT_EQ(tile.Height(), 2 * H - 2);
    long checked = 0;
    for (int r = 0; r < H; ++r) {
        for (int c = 0; c < 3 * x; ++c) {
            double column = 0;
            double row = 0;
            if (band.Source(c, r, 2.5, column, row)) {
                const PiecePos shown = ShownLarge(tile, c, H - 1 - r);
                ASSERT_TRUE(Near(shown, column, row, x))
                    << "band " << c << "," << r << " shows " << shown.column << "," << shown.row
                    << " not " << column << "," << row;
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 3L * x * H * 8 / 10);
    // Laid out, the tiles continue the band: across, the geometry above has
    // the tile width as its period; below, the tile is mirrored about the line
    // of the bases and (by its height) about its top row.
    for (int t = 1; t <= H - 2; ++t) {
        ASSERT_TRUE(test::RowsEqual(tile, H - 1 - t, H - 1 + t)) << t;
    }
}

TEST(LargeCuts, KaleidoscopeFollowsItsMirrors)
{
    for (const int x : {300, 1024}) {
        SCOPED_TRACE(x);
        auto maker = Large<TSankaku>();
        ASSERT_TRUE(maker->Prepare({x, x}, false));
        ASSERT_TRUE(maker->Make(LargeNumberedPiece(x, x)));
        ExpectKaleidoscopeTile(maker->ResultImage(), x);
    }
    auto maker = Large<TSankaku>();
    ASSERT_TRUE(maker->Prepare({1024, 1024}, false));
    ASSERT_TRUE(maker->Make(test::RandomPiece(1024, 1024, 1)));
    EXPECT_EQ(maker->ResultImage().Width(), 3072);
    EXPECT_EQ(maker->ResultImage().Height(), 1772);
}

// The carpet is the kaleidoscope of the piece with its right half replaced
// by the mirrored left half.
TEST(LargeCuts, CarpetIsTheKaleidoscopeOfTheMirroredPiece)
{
    for (const int x : {300, 1024}) {
        const Image piece = LargeNumberedPiece(x, x);
        Image mirrored = piece;
        for (int r = 0; r < x; ++r) {
            for (int c = x / 2; c < x; ++c) {
                test::SetColour(mirrored, c, r, test::Colour(piece, x - 1 - c, r));
            }
        }
        auto carpet = Large<TSankaku2>();
        auto kaleidoscope = Large<TSankaku>();
        ASSERT_TRUE(carpet->Prepare({x, x}, false) && kaleidoscope->Prepare({x, x}, false));
        ASSERT_TRUE(carpet->Make(piece) && kaleidoscope->Make(mirrored));
        EXPECT_EQ(carpet->ResultImage(), kaleidoscope->ResultImage()) << x;
    }
}

// The square folds about its diagonal and the line at pi/8 through its
// bottom left corner: a cell above the wedge shows the cell mirrored across
// that line, ((i + j) / sqrt 2, (i - j) / sqrt 2).
TEST(LargeCuts, FloralFollowsItsFold)
{
    for (const int x : {258, 1448}) {
        SCOPED_TRACE(x);
        const int r = static_cast<int>(std::nearbyint(x * std::sqrt(2.0) / 2));
        auto maker = Large<TSharp>();
        ASSERT_TRUE(maker->Prepare({x, x}, false));
        ASSERT_TRUE(maker->Make(LargeNumberedPiece(x, x)));
        const Image& tile = maker->ResultImage();
        ASSERT_EQ(tile.Width(), 2 * r - 2);
        const double half = std::sqrt(0.5);
        for (int row = 0; row < r; ++row) {
            for (int c = 0; c < r; ++c) {
                const int i = std::max(c, r - 1 - row);
                const int j = std::min(c, r - 1 - row);
                const bool inWedge = j <= std::nearbyint(i * (std::sqrt(2.0) - 1));
                const double u = inWedge ? i : (i + j) * half;
                const double v = inWedge ? j : (i - j) * half;
                ASSERT_TRUE(Near(ShownLarge(tile, c, row), u, v, x)) << c << "," << row;
            }
        }
        EXPECT_TRUE(test::MirroredAbout(tile, r - 1));
    }
}

// Every cell of the warped square at angle theta and distance d from its
// centre shows the piece at angle k theta and distance d from the piece's
// centre.
TEST(LargeCuts, DistortedSquareFollowsItsWarp)
{
    for (const int x : {400, 2048}) {
        SCOPED_TRACE(x);
        const int k = 5;
        const int s = static_cast<int>(x / std::sqrt(2.0));
        const int centre = s / 2;
        auto maker = Large<TRotateCompress>();
        maker->RotateNum = k;
        ASSERT_TRUE(maker->Prepare({x, x}, false));
        ASSERT_TRUE(maker->Make(LargeNumberedPiece(x, x)));
        const Image& tile = maker->ResultImage();
        ASSERT_EQ(tile.Width(), 2 * s - 2);
        for (int row = 0; row < s; row += 3) {
            for (int c = 0; c < s; ++c) {
                const double dx = c - centre;
                const double dy = s - 1 - row - centre;
                const double d = std::hypot(dx, dy);
                const double a = k * std::atan2(dy, dx);
                const double u = std::clamp(x / 2 + std::trunc(std::cos(a) * d), 0.0, x - 1.0);
                const double v = std::clamp(x / 2 + std::trunc(std::sin(a) * d), 0.0, x - 1.0);
                ASSERT_TRUE(Near(ShownLarge(tile, c, row), u, v, x)) << c << "," << row;
            }
        }
        EXPECT_TRUE(test::MirroredAbout(tile, s - 1));
    }
}

// The warp of a large cut, shared among the cores and mirrored about the
// centre row, is cell for cell the one worked out for each cell alone at
// extended precision.
TEST(LargeCuts, DistortedSquareWarpIsExactInEveryCell)
{
    for (const int k : {2, 3, 7, 20}) {
        SCOPED_TRACE(k);
        const int x = 600;
        const int y = k == 7 ? 900 : 600;
        const int s = static_cast<int>(std::trunc(x / std::sqrt(2.0L)));
        const int c = s / 2;
        auto maker = Large<TRotateCompress>();
        maker->RotateNum = k;
        ASSERT_TRUE(maker->Prepare({x, y}, false));
        for (int i = 0; i < s; ++i) {
            for (int j = 0; j < s; ++j) {
                const int dx = i - c;
                const int dy = j - c;
                const long double d = std::sqrt(static_cast<double>(dx * dx + dy * dy));
                const long double a = k * std::atan2(static_cast<double>(dy), static_cast<double>(dx));
                const int sx = std::clamp(x / 2 + static_cast<int>(std::trunc(std::cos(a) * d)), 0, x - 1);
                const int sy = std::clamp(y / 2 + static_cast<int>(std::trunc(std::sin(a) * d)), 0, y - 1);
                ASSERT_EQ(maker->ResultMapAt(i, j), maker->IndexMapAt(sx, sy)) << i << "," << j;
            }
        }
    }
}

}  // namespace
}  // namespace qm
