// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "PieceImages.h"
#include "engine/UmuSankaku.h"
#include "engine/UmuSankaku2.h"
#include "support/FixedSeed.h"

namespace qm {
namespace {

// The piece with its right half replaced by the mirror image of its left half.
Image MirroredLeftHalf(const Image& piece)
{
    Image mirrored = piece;
    const int x = piece.Width();
    for (int row = 0; row < piece.Height(); ++row) {
        for (int column = x / 2; column < x; ++column) {
            test::SetColour(mirrored, column, row, test::Colour(piece, x - 1 - column, row));
        }
    }
    return mirrored;
}

Image Tile(TMakeUnit& maker, const Image& piece)
{
    EXPECT_TRUE(maker.Make(piece));
    return maker.ResultImage();
}

TEST(Carpet, IsTheKaleidoscopeOfTheMirroredPiece)
{
    for (int s : {32, 100, 256}) {
        for (bool shuffle : {false, true}) {
            SCOPED_TRACE(testing::Message() << "X = " << s << " shuffle " << shuffle);
            const test::FixedSeed fixed(77u);
            auto carpet = std::make_unique<TSankaku2>();
            auto kaleidoscope = std::make_unique<TSankaku>();
            ASSERT_TRUE(carpet->Prepare({s, s}, shuffle));
            ASSERT_TRUE(kaleidoscope->Prepare({s, s}, shuffle));
            const Image piece = test::RandomPiece(s, s, 21);
            const Image symmetric = MirroredLeftHalf(piece);
            const Image expected = Tile(*kaleidoscope, symmetric);
            EXPECT_EQ(Tile(*carpet, piece), expected);
            EXPECT_EQ(Tile(*carpet, symmetric), expected);
            EXPECT_NE(Tile(*kaleidoscope, piece), expected);
        }
    }
}

TEST(Carpet, TwoColouredPieceGivesATileOfTheLeftColour)
{
    for (int s : {32, 256}) {
        Image piece = test::OneColourPiece(s, s, 0x102030u);
        for (int row = 0; row < s; ++row) {
            for (int column = s / 2; column < s; ++column) {
                test::SetColour(piece, column, row, 0xF0E0D0u);
            }
        }
        auto carpet = std::make_unique<TSankaku2>();
        ASSERT_TRUE(carpet->Prepare({s, s}, false));
        const Image tile = Tile(*carpet, piece);
        for (int y = 0; y < tile.Height(); ++y) {
            for (int x = 0; x < tile.Width(); ++x) {
                ASSERT_EQ(test::Colour(tile, x, y), 0x102030u) << x << "," << y;
            }
        }
    }
}

// The source triangle of the band is symmetric about its own axis.
TEST(Carpet, SourceTriangleIsMirrorSymmetric)
{
    const double sqrt3 = std::sqrt(3.0);
    const int s = 64;
    const int h = s / 2;
    const int H = static_cast<int>(std::nearbyint(s * sqrt3 / 2));
    auto carpet = std::make_unique<TSankaku2>();
    ASSERT_TRUE(carpet->Prepare({s, s}, false));
    const Image tile = Tile(*carpet, test::RandomPiece(s, s, 9));
    for (int i = 0; i < s; ++i) {
        const int mirror = s - 1 - i;
        const double below = sqrt3 * std::min({i, s - i, mirror, s - mirror}) - 2;
        for (int j = 0; j < below; ++j) {
            ASSERT_EQ(test::Colour(tile, h + i, H - 1 - j), test::Colour(tile, h + mirror, H - 1 - j))
                << i << "," << j;
        }
    }
}

}  // namespace
}  // namespace qm
