// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <utility>

#include "MethodTestSupport.h"
#include "engine/ErrorCodes.h"
#include "engine/MethodCatalogue.h"

namespace qm {
namespace {

using test::NumberedPiece;
using test::PiecePos;
using test::Shown;

// The piece place a rectangle tile pixel shows: the piece itself in the top
// left quarter, reflected about column X - 1 and row Y - 1 elsewhere.
PiecePos Expected(int x, int y, int c, int r)
{
    return {c < x ? c : 2 * x - 2 - c, r < y ? r : 2 * y - 2 - r};
}

TEST(RectangleMethod, TileSizesAndEveryPixel)
{
    const std::pair<int, int> cuts[] = {{32, 32}, {256, 32}, {20, 64}, {33, 64}, {64, 40}, {2, 32}};
    for (const auto& [x, y] : cuts) {
        auto maker = CreateBuiltinMaker(5);
        ASSERT_TRUE(maker->Prepare({x, y}, false)) << x << "x" << y;
        ASSERT_TRUE(maker->Make(NumberedPiece(x, y)));
        const Image& tile = maker->ResultImage();
        ASSERT_EQ(tile.Width(), 2 * x - 2) << x << "x" << y;
        ASSERT_EQ(tile.Height(), 2 * y - 2) << x << "x" << y;
        for (int r = 0; r < tile.Height(); ++r) {
            for (int c = 0; c < tile.Width(); ++c) {
                ASSERT_EQ(Shown(tile, c, r), Expected(x, y, c, r))
                    << x << "x" << y << " at " << c << "," << r;
            }
        }
    }
}

TEST(RectangleMethod, LargeCutsFollowTheSameRule)
{
    const std::pair<int, int> cuts[] = {{600, 258}, {40, 2048}};
    for (const auto& [x, y] : cuts) {
        auto maker = CreateBuiltinMaker(5);
        maker->LargeCuts = true;
        ASSERT_TRUE(maker->Prepare({x, y}, false)) << x << "x" << y;
        ASSERT_TRUE(maker->Make(test::LargeNumberedPiece(x, y)));
        const Image& tile = maker->ResultImage();
        ASSERT_EQ(tile.Width(), 2 * x - 2);
        ASSERT_EQ(tile.Height(), 2 * y - 2);
        for (int r = 0; r < tile.Height(); ++r) {
            for (int c = 0; c < tile.Width(); ++c) {
                ASSERT_EQ(test::ShownLarge(tile, c, r), Expected(x, y, c, r))
                    << x << "x" << y << " at " << c << "," << r;
            }
        }
    }
}

TEST(RectangleMethod, SizeRules)
{
    auto small = CreateBuiltinMaker(5);
    EXPECT_FALSE(small->Prepare({20, 20}, false));
    EXPECT_EQ(small->ErrorCode(), kErrCutTooSmall);

    // A side below two pixels gets through the size rules but has no tile.
    auto thin = CreateBuiltinMaker(5);
    ASSERT_TRUE(thin->Prepare({1, 64}, false));
    EXPECT_FALSE(thin->Make(NumberedPiece(1, 64)));
    EXPECT_EQ(thin->ErrorCode(), kErrCutTooSmall);
}

TEST(RectangleMethod, MarkedPixelAppearsFourTimes)
{
    const int x = 40;
    const int y = 24;
    Image piece = test::OneColourPiece(x, y, test::kPlainColour);
    test::SetColour(piece, 5, 7, 0);
    auto maker = CreateBuiltinMaker(5);
    ASSERT_TRUE(maker->Prepare({x, y}, false));
    ASSERT_TRUE(maker->Make(piece));
    const Image& tile = maker->ResultImage();
    std::set<std::pair<int, int>> marked;
    for (int r = 0; r < tile.Height(); ++r) {
        for (int c = 0; c < tile.Width(); ++c) {
            if (test::Colour(tile, c, r) == 0) {
                marked.insert({c, r});
            }
        }
    }
    const std::set<std::pair<int, int>> expected = {
        {5, 7}, {2 * x - 7, 7}, {5, 2 * y - 9}, {2 * x - 7, 2 * y - 9}};
    EXPECT_EQ(marked, expected);
}

TEST(RectangleMethod, ShuffledPieceIsAPermutationMirroredLikeThePiece)
{
    const int x = 48;
    const int y = 36;
    auto maker = CreateBuiltinMaker(5);
    ASSERT_TRUE(maker->Prepare({x, y}, true));
    ASSERT_TRUE(maker->Make(NumberedPiece(x, y)));
    const Image& tile = maker->ResultImage();
    std::set<std::pair<int, int>> seen;
    for (int r = 0; r < y; ++r) {
        for (int c = 0; c < x; ++c) {
            const PiecePos p = Shown(tile, c, r);
            seen.insert({p.column, p.row});
        }
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(x * y));
    for (int t = 1; t <= x - 2; ++t) {
        EXPECT_TRUE(test::ColumnsEqual(tile, x - 1 + t, x - 1 - t)) << t;
    }
    for (int t = 1; t <= y - 2; ++t) {
        EXPECT_TRUE(test::RowsEqual(tile, y - 1 + t, y - 1 - t)) << t;
    }
}

TEST(RectangleMethod, OneColourPieceGivesOneColourTile)
{
    test::ExpectOneColourTiles([] { return CreateBuiltinMaker(5); }, 64, 32);
}

}  // namespace
}  // namespace qm
