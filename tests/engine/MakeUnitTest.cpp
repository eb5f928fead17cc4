// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <vector>

#include "PieceImages.h"
#include "core/Random.h"
#include "engine/ErrorCodes.h"
#include "engine/MethodCatalogue.h"
#include "support/FixedSeed.h"

namespace qm {
namespace {

struct SizeCase {
    std::uint8_t method;
    TPoint size;
    std::int32_t code;  // 0: accepted
};

// Odd width first, then too large, then too small; the free-width minimum and
// the odd width are allowed for the no-conversion method only (of these).
TEST(MakeUnitSizeRules, AreCheckedInTheirOrder)
{
    const SizeCase cases[] = {
        {1, {256, 256}, 0},  {2, {256, 256}, 0},  {6, {256, 256}, 0},
        {1, {32, 32}, 0},    {6, {32, 32}, 0},    {1, {32, 33}, 0},
        {1, {257, 256}, 4},  {2, {257, 256}, 4},  {6, {257, 256}, 1},
        {1, {256, 258}, 1},  {6, {256, 257}, 1},  {1, {258, 256}, 1},
        {1, {300, 10}, 1},   {6, {300, 10}, 1},   {6, {31, 300}, 1},
        {1, {30, 64}, 2},    {2, {64, 30}, 2},    {6, {30, 64}, 0},
        {6, {64, 30}, 0},    {1, {30, 30}, 2},    {6, {30, 30}, 2},
        {6, {33, 64}, 0},    {6, {33, 33}, 0},    {1, {33, 33}, 4},
        {1, {33, 64}, 4},    {6, {-2, 64}, 0},    {1, {-2, 64}, 2},
    };
    for (const SizeCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "method " << int{c.method} << " size " << c.size.X
                                        << " x " << c.size.Y);
        auto maker = CreateBuiltinMaker(c.method);
        ASSERT_NE(maker, nullptr);
        EXPECT_EQ(maker->Prepare(c.size, false), c.code == 0);
        EXPECT_EQ(maker->ErrorCode(), c.code);
        EXPECT_EQ(maker->CutX(), c.size.X);  // kept also when a check fails
        EXPECT_EQ(maker->CutY(), c.size.Y);
    }
}

TEST(MakeUnit, RefusesAPieceOfTheWrongSizeAndKeepsThePreviousTile)
{
    for (std::uint8_t method : {1, 2, 6}) {
        auto maker = CreateBuiltinMaker(method);
        ASSERT_TRUE(maker->Prepare({64, 64}, false));
        ASSERT_TRUE(maker->Make(test::RandomPiece(64, 64, 1)));
        const Image tile = maker->ResultImage();
        EXPECT_FALSE(maker->Make(test::RandomPiece(65, 64, 2)));
        EXPECT_EQ(maker->ErrorCode(), kErrPieceSize);
        EXPECT_FALSE(maker->Make(test::RandomPiece(64, 63, 3)));
        EXPECT_EQ(maker->ResultImage(), tile);
    }
}

// A cut without pixels passes Prepare under the free-width rules but cannot
// become a tile.
TEST(MakeUnit, RefusesToMakeATileOfACutWithoutPixels)
{
    for (bool shuffle : {false, true}) {
        auto maker = CreateBuiltinMaker(6);
        ASSERT_TRUE(maker->Prepare({0, 64}, shuffle));
        EXPECT_FALSE(maker->Make(Image(0, 64)));
        EXPECT_EQ(maker->ErrorCode(), kErrCutTooSmall);
        for (int row = 0; row < 64; ++row) {
            EXPECT_EQ(maker->IndexMapAt(0, row), 0);
        }
    }
    auto maker = CreateBuiltinMaker(6);
    ASSERT_TRUE(maker->Prepare({64, -4}, false));
    EXPECT_FALSE(maker->Make(Image(64, 0)));
    EXPECT_EQ(maker->ErrorCode(), kErrCutTooSmall);
}

// The shuffle: X * Y + 1 swaps of index-map cells, each drawing a column, a
// second column, a row and a second row, after a reseed.
TEST(MakeUnitShuffle, SwapsIndexMapCellsInTheDrawOrder)
{
    for (TPoint size : {TPoint{32, 32}, TPoint{33, 48}, TPoint{48, 33}}) {
        SCOPED_TRACE(testing::Message() << size.X << " x " << size.Y);
        constexpr std::uint32_t kSeed = 0xC0FFEEu;
        std::vector<std::vector<std::int32_t>> expected(size.X, std::vector<std::int32_t>(size.Y));
        for (int x = 0; x < size.X; ++x) {
            for (int y = 0; y < size.Y; ++y) {
                expected[x][y] = 256 * x + y;
            }
        }
        rng::SetSeed(kSeed);
        for (int n = 0; n < size.X * size.Y + 1; ++n) {
            const auto x1 = rng::Random(size.X);
            const auto x2 = rng::Random(size.X);
            const auto y1 = rng::Random(size.Y);
            const auto y2 = rng::Random(size.Y);
            std::swap(expected[x1][y1], expected[x2][y2]);
        }
        const std::uint32_t seedAfter = rng::Seed();

        auto maker = CreateBuiltinMaker(6);
        {
            test::FixedSeed fixed(kSeed);
            ASSERT_TRUE(maker->Prepare(size, true));
        }
        EXPECT_EQ(rng::Seed(), seedAfter);
        for (int x = 0; x <= size.X; ++x) {
            for (int y = 0; y <= size.Y; ++y) {
                const std::int32_t want = x < size.X && y < size.Y ? expected[x][y] : 0;
                ASSERT_EQ(maker->IndexMapAt(x, y), want) << x << "," << y;
                ASSERT_EQ(maker->ResultMapAt(x, y), want) << x << "," << y;
            }
        }
    }
}

TEST(MakeUnitShuffle, IsNotDrawnWithoutTheFlag)
{
    rng::SetSeed(1234u);
    for (std::uint8_t method : {1, 2, 6}) {
        auto maker = CreateBuiltinMaker(method);
        ASSERT_TRUE(maker->Prepare({64, 64}, false));
    }
    EXPECT_EQ(rng::Seed(), 1234u);
}

// Every code of every map points into the piece, so a piece of one colour
// gives a tile of that colour, scattered or not.
TEST(MakeUnit, OneColourPieceGivesAOneColourTile)
{
    for (std::uint8_t method : {1, 2, 6}) {
        for (bool shuffle : {false, true}) {
            SCOPED_TRACE(testing::Message() << "method " << int{method} << " shuffle " << shuffle);
            auto maker = CreateBuiltinMaker(method);
            ASSERT_TRUE(maker->Prepare({96, 96}, shuffle));
            ASSERT_TRUE(maker->Make(test::OneColourPiece(96, 96, 0x3C7A11u)));
            const Image& tile = maker->ResultImage();
            ASSERT_FALSE(tile.Empty());
            for (int y = 0; y < tile.Height(); ++y) {
                for (int x = 0; x < tile.Width(); ++x) {
                    ASSERT_EQ(test::Colour(tile, x, y), 0x3C7A11u) << x << "," << y;
                }
            }
        }
    }
}

}  // namespace
}  // namespace qm
