// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "PieceImages.h"
#include "engine/MethodCatalogue.h"
#include "support/FixedSeed.h"

namespace qm {
namespace {

std::vector<std::uint32_t> SortedColours(const Image& image)
{
    std::vector<std::uint32_t> colours;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            colours.push_back(test::Colour(image, x, y));
        }
    }
    std::sort(colours.begin(), colours.end());
    return colours;
}

TEST(NoConversion, GivesThePieceBackUnchanged)
{
    for (TPoint size : {TPoint{64, 64}, TPoint{33, 64}, TPoint{256, 32}, TPoint{30, 64}}) {
        SCOPED_TRACE(testing::Message() << size.X << " x " << size.Y);
        auto maker = CreateBuiltinMaker(6);
        ASSERT_TRUE(maker->Prepare(size, false));
        for (std::uint32_t seed : {1u, 2u}) {
            const Image piece = test::RandomPiece(size.X, size.Y, seed);
            ASSERT_TRUE(maker->Make(piece));
            EXPECT_EQ(maker->ResultImage(), piece);
        }
    }
}

// With the shuffle the tile holds the pixels of the piece, scattered by one
// permutation that every piece of the run shares.
TEST(NoConversion, ShuffleScattersEveryPieceOfARunTheSameWay)
{
    const test::FixedSeed fixed(20240611u);
    for (TPoint size : {TPoint{64, 64}, TPoint{33, 48}}) {
        SCOPED_TRACE(testing::Message() << size.X << " x " << size.Y);
        auto maker = CreateBuiltinMaker(6);
        ASSERT_TRUE(maker->Prepare(size, true));

        const Image numbered = test::NumberedPiece(size.X, size.Y);
        ASSERT_TRUE(maker->Make(numbered));
        const Image scattered = maker->ResultImage();
        EXPECT_NE(scattered, numbered);
        EXPECT_EQ(SortedColours(scattered), SortedColours(numbered));

        const Image noise = test::RandomPiece(size.X, size.Y, 7);
        ASSERT_TRUE(maker->Make(noise));
        const Image& tile = maker->ResultImage();
        for (int y = 0; y < size.Y; ++y) {
            for (int x = 0; x < size.X; ++x) {
                // The numbered tile names the piece pixel each tile pixel shows.
                const std::uint8_t* from = scattered.Pixel(x, y);
                ASSERT_EQ(test::Colour(tile, x, y), test::Colour(noise, from[0], from[1]))
                    << x << "," << y;
            }
        }

        ASSERT_TRUE(maker->Make(numbered));
        EXPECT_EQ(maker->ResultImage(), scattered);
    }
}

}  // namespace
}  // namespace qm
