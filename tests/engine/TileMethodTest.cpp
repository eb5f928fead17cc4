// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <memory>

#include "MethodTestSupport.h"
#include "engine/UmuThShikaku.h"

namespace qm {
namespace {

using test::NumberedPiece;
using test::PiecePos;
using test::Shown;

// The kept wedge: image row r at least the larger of c and X - 1 - c.
bool InBottomWedge(int x, int c, int r)
{
    return r >= c && r >= x - 1 - c;
}

// Every pixel of the top left square is the image of a bottom-wedge pixel
// under the diagonal mirrors (or the half turn they make together); the
// rest of the tile reflects the square about column X - 1 and row X - 1.
PiecePos Expected(int x, int c, int r)
{
    const int sc = c < x ? c : 2 * x - 2 - c;
    const int sr = r < x ? r : 2 * x - 2 - r;
    const PiecePos images[] = {
        {sc, sr}, {sr, sc}, {x - 1 - sr, x - 1 - sc}, {x - 1 - sc, x - 1 - sr}};
    for (const PiecePos& p : images) {
        if (InBottomWedge(x, p.column, p.row)) {
            return p;
        }
    }
    return {-1, -1};
}

TEST(TileMethod, TileSizesAndEveryPixel)
{
    for (const int x : {32, 64, 256}) {
        test::ExpectEverySquareTilePixel<ThTShikaku>(x, Expected);
    }
}

TEST(TileMethod, OnlyTheBottomWedgeKeepsItsOwnCells)
{
    const int x = 32;
    auto maker = std::make_unique<ThTShikaku>();
    ASSERT_TRUE(maker->Prepare({x, x}, false));
    for (int y = 0; y < x; ++y) {
        for (int c = 0; c < x; ++c) {
            const bool own = maker->ResultMapAt(c, y) == test::Code(c, y);
            // Rows 0 to 15 hold the wedge; row 16 adds no cell.
            EXPECT_EQ(own, y <= 15 && c >= y && c <= x - 1 - y) << c << "," << y;
        }
    }
}

TEST(TileMethod, ShuffledSquareIsSymmetricAboutBothDiagonals)
{
    const int x = 64;
    auto maker = std::make_unique<ThTShikaku>();
    ASSERT_TRUE(maker->Prepare({x, x}, true));
    ASSERT_TRUE(maker->Make(NumberedPiece(x, x)));
    const Image& tile = maker->ResultImage();
    for (int r = 0; r < x; ++r) {
        for (int c = 0; c < x; ++c) {
            ASSERT_EQ(Shown(tile, c, r), Shown(tile, r, c)) << c << "," << r;
            ASSERT_EQ(Shown(tile, c, r), Shown(tile, x - 1 - r, x - 1 - c)) << c << "," << r;
        }
    }
    EXPECT_TRUE(test::MirroredAbout(tile, x - 1));
}

TEST(TileMethod, LargeCutsFollowTheSameRule)
{
    for (const int x : {258, 1026}) {
        test::ExpectEverySquareTilePixel<ThTShikaku>(x, Expected);
    }
}

TEST(TileMethod, OneColourPieceGivesOneColourTile)
{
    test::ExpectOneColourTiles([] { return std::make_unique<ThTShikaku>(); }, 32, 32);
}

}  // namespace
}  // namespace qm
