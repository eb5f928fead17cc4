// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <memory>

#include "MethodTestSupport.h"
#include "engine/UmuTShikaku.h"

namespace qm {
namespace {

using test::NumberedPiece;
using test::PiecePos;
using test::Shown;

// The top left square keeps the piece on and below its main diagonal
// (row >= column, counted from the top) and mirrors it above; the rest of
// the tile reflects that square about column X - 1 and row X - 1.
PiecePos Expected(int x, int c, int r)
{
    const int sc = c < x ? c : 2 * x - 2 - c;
    const int sr = r < x ? r : 2 * x - 2 - r;
    return sr >= sc ? PiecePos{sc, sr} : PiecePos{sr, sc};
}

TEST(TableclothMethod, TileSizesAndEveryPixel)
{
    for (const int x : {32, 64, 128, 256}) {
        test::ExpectEverySquareTilePixel<TTShikaku>(x, Expected);
    }
}

TEST(TableclothMethod, ShuffledTileKeepsItsSymmetries)
{
    const int x = 64;
    auto maker = std::make_unique<TTShikaku>();
    ASSERT_TRUE(maker->Prepare({x, x}, true));
    ASSERT_TRUE(maker->Make(NumberedPiece(x, x)));
    const Image& tile = maker->ResultImage();
    for (int r = 0; r < x; ++r) {
        for (int c = 0; c < r; ++c) {
            ASSERT_EQ(Shown(tile, c, r), Shown(tile, r, c)) << c << "," << r;
        }
    }
    EXPECT_TRUE(test::MirroredAbout(tile, x - 1));
}

TEST(TableclothMethod, LargeCutsFollowTheSameRule)
{
    for (const int x : {258, 1026}) {
        test::ExpectEverySquareTilePixel<TTShikaku>(x, Expected);
    }
}

TEST(TableclothMethod, OneColourPieceGivesOneColourTile)
{
    test::ExpectOneColourTiles([] { return std::make_unique<TTShikaku>(); }, 32, 32);
}

}  // namespace
}  // namespace qm
