// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "MethodTestSupport.h"
#include "engine/UmuSharp.h"

namespace qm {
namespace {

using test::Code;
using test::NumberedPiece;
using test::PiecePos;
using test::Shown;

int Nearest(double v)
{
    return static_cast<int>(std::nearbyint(v));
}

struct Cut {
    int x;
    int r;  // side of the folded square
};

constexpr Cut kCuts[] = {{32, 23}, {64, 45}, {100, 71}, {128, 91}, {200, 141}, {256, 181}};

std::unique_ptr<TSharp> Prepared(int x, bool shuffle)
{
    auto maker = std::make_unique<TSharp>();
    EXPECT_TRUE(maker->Prepare({x, x}, shuffle));
    return maker;
}

TEST(FloralMethod, FoldedSquareAndTileSides)
{
    for (const Cut& cut : kCuts) {
        auto maker = Prepared(cut.x, false);
        ASSERT_TRUE(maker->Make(NumberedPiece(cut.x, cut.x)));
        EXPECT_EQ(maker->ResultImage().Width(), 2 * cut.r - 2) << cut.x;
        EXPECT_EQ(maker->ResultImage().Height(), 2 * cut.r - 2) << cut.x;
    }
}

TEST(FloralMethod, WedgeHeightsOfTheFirstColumns)
{
    const int heights[] = {0, 0, 1, 1, 2, 2, 2, 3, 3, 4, 4, 5};
    auto maker = Prepared(64, false);
    for (int i = 0; i < 12; ++i) {
        for (int j = 0; j <= heights[i]; ++j) {
            EXPECT_EQ(maker->ResultMapAt(i, j), Code(i, j)) << i << "," << j;
        }
        if (heights[i] + 1 <= i) {
            EXPECT_NE(maker->ResultMapAt(i, heights[i] + 1), Code(i, heights[i] + 1)) << i;
        }
    }
}

TEST(FloralMethod, KnownCellsOfTheResultMap)
{
    for (const int x : {64, 256}) {
        auto maker = Prepared(x, false);
        EXPECT_EQ(maker->ResultMapAt(1, 1), Code(1, 0));
        EXPECT_EQ(maker->ResultMapAt(2, 2), Code(3, 0));
        EXPECT_EQ(maker->ResultMapAt(10, 5), Code(11, 4));
        EXPECT_EQ(maker->ResultMapAt(10, 10), Code(14, 0));
        EXPECT_EQ(maker->ResultMapAt(44, 30), Code(52, 10));
    }
}

// Below the diagonal a cell inside the wedge of angle pi/8 keeps its own
// code; one above the wedge takes the cell mirrored across the line at
// pi/8, which for (i, j) is ((i + j) / sqrt 2, (i - j) / sqrt 2) rounded.
// Above the diagonal the square is its own transpose.
TEST(FloralMethod, EveryCellFollowsTheFold)
{
    for (const Cut& cut : kCuts) {
        auto maker = Prepared(cut.x, false);
        const double half = std::sqrt(0.5);
        for (int i = 0; i < cut.r; ++i) {
            for (int j = 0; j <= i; ++j) {
                const std::int32_t expected =
                    j <= Nearest(i * (std::sqrt(2.0) - 1))
                        ? Code(i, j)
                        : Code(Nearest((i + j) * half), Nearest((i - j) * half));
                ASSERT_EQ(maker->ResultMapAt(i, j), expected) << cut.x << ": " << i << "," << j;
                ASSERT_EQ(maker->ResultMapAt(j, i), expected) << cut.x << ": " << j << "," << i;
            }
        }
    }
}

TEST(FloralMethod, TileShowsTheSquareMirrored)
{
    const int x = 128;
    const int r = 91;
    auto maker = Prepared(x, false);
    ASSERT_TRUE(maker->Make(NumberedPiece(x, x)));
    const Image& tile = maker->ResultImage();
    // Map row y is tile row R - 1 - y; a code's row counts from the bottom.
    for (int row = 0; row < r; ++row) {
        for (int c = 0; c < r; ++c) {
            const std::int32_t code = maker->ResultMapAt(c, r - 1 - row);
            ASSERT_EQ(Shown(tile, c, row), (PiecePos{code / 256, x - 1 - code % 256}));
        }
    }
    // The fold centre is the bottom left corner of the piece.
    EXPECT_EQ(Shown(tile, 0, r - 1), (PiecePos{0, x - 1}));
    EXPECT_TRUE(test::MirroredAbout(tile, r - 1));
}

TEST(FloralMethod, ShuffledSquareStaysSymmetric)
{
    const int x = 64;
    const int r = 45;
    auto maker = Prepared(x, true);
    for (int i = 0; i < r; ++i) {
        for (int j = 0; j < i; ++j) {
            ASSERT_EQ(maker->ResultMapAt(i, j), maker->ResultMapAt(j, i)) << i << "," << j;
        }
    }
    ASSERT_TRUE(maker->Make(NumberedPiece(x, x)));
    EXPECT_TRUE(test::MirroredAbout(maker->ResultImage(), r - 1));
}

TEST(FloralMethod, OneColourPieceGivesOneColourTile)
{
    test::ExpectOneColourTiles([] { return std::make_unique<TSharp>(); }, 32, 32);
}

}  // namespace
}  // namespace qm
