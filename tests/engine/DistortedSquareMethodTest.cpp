// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <memory>

#include "MethodTestSupport.h"
#include "engine/UmuRotateCompress.h"

namespace qm {
namespace {

using test::Code;
using test::NumberedPiece;
using test::PiecePos;
using test::Shown;

struct Cut {
    int x;
    int s;  // side of the warped square
    int c;  // its centre
};

constexpr Cut kCuts[] = {
    {32, 22, 11}, {64, 45, 22}, {100, 70, 35}, {128, 90, 45}, {200, 141, 70}, {256, 181, 90}};

std::unique_ptr<TRotateCompress> Prepared(int x, int k, bool shuffle = false)
{
    auto maker = std::make_unique<TRotateCompress>();
    maker->RotateNum = k;
    EXPECT_TRUE(maker->Prepare({x, x}, shuffle));
    return maker;
}

TEST(DistortedSquareMethod, WarpedSquareCentreAndTileSide)
{
    for (const Cut& cut : {kCuts[0], kCuts[2], kCuts[5]}) {
        for (int k = 2; k <= 20; ++k) {
            auto maker = Prepared(cut.x, k);
            // The centre of the warped square shows the centre of the piece.
            ASSERT_EQ(maker->ResultMapAt(cut.c, cut.c), Code(cut.x / 2, cut.x / 2))
                << cut.x << " k " << k;
        }
    }
    for (const Cut& cut : kCuts) {
        auto maker = Prepared(cut.x, 3);
        ASSERT_TRUE(maker->Make(NumberedPiece(cut.x, cut.x)));
        EXPECT_EQ(maker->ResultImage().Width(), 2 * cut.s - 2) << cut.x;
        EXPECT_EQ(maker->ResultImage().Height(), 2 * cut.s - 2) << cut.x;
    }
}

TEST(DistortedSquareMethod, HalfTurnAndQuarterTurnAxes)
{
    for (const Cut& cut : kCuts) {
        const int mid = cut.x / 2;
        auto twice = Prepared(cut.x, 2);
        // theta = 0 stays put; theta = pi/2 becomes pi, and pi becomes 2 pi.
        EXPECT_EQ(twice->ResultMapAt(cut.c + 5, cut.c), Code(mid + 5, mid)) << cut.x;
        EXPECT_EQ(twice->ResultMapAt(cut.c, cut.c + 5), Code(mid - 5, mid)) << cut.x;
        EXPECT_EQ(twice->ResultMapAt(cut.c - 5, cut.c), Code(mid + 5, mid)) << cut.x;

        auto fourfold = Prepared(cut.x, 4);
        for (int r = 1; r <= cut.s - 1 - cut.c; ++r) {
            EXPECT_EQ(fourfold->ResultMapAt(cut.c + r, cut.c), Code(mid + r, mid)) << r;
            EXPECT_EQ(fourfold->ResultMapAt(cut.c, cut.c + r), Code(mid + r, mid)) << r;
        }
    }
}

TEST(DistortedSquareMethod, TileShowsTheWarpedSquareMirrored)
{
    const Cut cut = kCuts[3];
    auto maker = Prepared(cut.x, 2);
    ASSERT_TRUE(maker->Make(NumberedPiece(cut.x, cut.x)));
    const Image& tile = maker->ResultImage();
    // Tile row S - 1 - C holds map row C, whose cell C + 5 shows piece column
    // X/2 + 5 on the middle row (counted from the bottom).
    EXPECT_EQ(Shown(tile, cut.c + 5, cut.s - 1 - cut.c),
              (PiecePos{cut.x / 2 + 5, cut.x - 1 - cut.x / 2}));
    EXPECT_EQ(Shown(tile, cut.c, cut.s - 1 - cut.c),
              (PiecePos{cut.x / 2, cut.x - 1 - cut.x / 2}));
    EXPECT_TRUE(test::MirroredAbout(tile, cut.s - 1));

    auto shuffled = Prepared(cut.x, 7, true);
    ASSERT_TRUE(shuffled->Make(NumberedPiece(cut.x, cut.x)));
    EXPECT_TRUE(test::MirroredAbout(shuffled->ResultImage(), cut.s - 1));
}

TEST(DistortedSquareMethod, EveryCodeLiesInsideThePiece)
{
    for (const int x : {32, 256}) {
        auto maker = std::make_unique<TRotateCompress>();
        maker->RotateNum = 20;
        ASSERT_TRUE(maker->Prepare({x, 48}, false));
        const int s = x < 48 ? 22 : 33;
        for (int i = 0; i < s; ++i) {
            for (int j = 0; j < s; ++j) {
                const std::int32_t code = maker->ResultMapAt(i, j);
                ASSERT_LT(code / 256, x);
                ASSERT_LT(code % 256, 48);
            }
        }
        ASSERT_TRUE(maker->Make(NumberedPiece(x, 48)));
        EXPECT_EQ(maker->ResultImage().Width(), 2 * s - 2);
    }
}

TEST(DistortedSquareMethod, OneColourPieceGivesOneColourTile)
{
    test::ExpectOneColourTiles(
        [] {
            auto maker = std::make_unique<TRotateCompress>();
            maker->RotateNum = 5;
            return maker;
        },
        64, 64);
}

}  // namespace
}  // namespace qm
