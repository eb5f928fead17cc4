// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "PieceImages.h"
#include "engine/UmuSankaku.h"

namespace qm {
namespace {

// Band height of a cut width: the triangle height rounded to the nearest row.
int BandHeight(int s)
{
    return static_cast<int>(std::nearbyint(s * std::sqrt(3.0) / 2));
}

struct MapCell {
    int column;
    int row;
    int sourceColumn;
    int sourceRow;
};

void ExpectResultMap(int x, std::initializer_list<MapCell> cells)
{
    auto maker = std::make_unique<TSankaku>();
    ASSERT_TRUE(maker->Prepare({x, x}, false));
    for (const MapCell& cell : cells) {
        EXPECT_EQ(maker->ResultMapAt(cell.column, cell.row), 256 * cell.sourceColumn + cell.sourceRow)
            << "X = " << x << ", result map [" << cell.column << "][" << cell.row << "]";
    }
}

TEST(Kaleidoscope, ResultMapCells)
{
    ExpectResultMap(32, {
        {0, 27, 31, 0},   {0, 0, 8, 14},    {5, 20, 23, 0},   {16, 0, 0, 0},   {16, 10, 8, 5},
        {32, 27, 17, 27}, {37, 25, 16, 22}, {40, 10, 24, 10}, {48, 0, 31, 0},  {64, 27, 1, 0},
        {70, 12, 11, 13}, {80, 5, 16, 23},  {95, 0, 8, 15},   {95, 27, 31, 1},
        // Left-edge mirror with m = 0, i = 3: P = 16 + 29 / 2 = 30.5 goes to
        // the even 30, R = 1.5 * sqrt(3) = 2.6 to 3.
        {51, 0, 30, 3},
    });
    ExpectResultMap(64, {
        {0, 54, 63, 1},   {0, 0, 16, 28},    {32, 10, 9, 5},   {64, 54, 33, 54},
        {96, 0, 63, 0},   {128, 54, 1, 1},   {140, 12, 32, 32}, {191, 0, 16, 29},
        {191, 54, 63, 2},
    });
}

TEST(Kaleidoscope, TileSizes)
{
    const struct {
        int x, width, height;
    } sizes[] = {{32, 96, 54}, {64, 192, 108}, {128, 384, 220}, {200, 600, 344}, {256, 768, 442}};
    for (const auto& size : sizes) {
        auto maker = std::make_unique<TSankaku>();
        ASSERT_TRUE(maker->Prepare({size.x, size.x}, false));
        ASSERT_TRUE(maker->Make(test::RandomPiece(size.x, size.x, 5)));
        EXPECT_EQ(maker->ResultImage().Width(), size.width) << size.x;
        EXPECT_EQ(maker->ResultImage().Height(), size.height) << size.x;
    }
}

// For every cut width the geometry stays inside the arrays, keeps its guard
// row and guard column, and the band shows only the source triangle.
TEST(Kaleidoscope, GeometryOfEveryEvenWidthStaysInsideThePiece)
{
    for (int s = 32; s <= 256; s += 2) {
        SCOPED_TRACE(testing::Message() << "X = " << s);
        const int H = BandHeight(s);
        auto shuffled = std::make_unique<TSankaku>();
        ASSERT_TRUE(shuffled->Prepare({s, s}, true));
        auto maker = std::make_unique<TSankaku>();
        ASSERT_TRUE(maker->Prepare({s, s}, false));
        for (int i = 0; i < s; ++i) {
            ASSERT_EQ(maker->IndexMapAt(i, H), 256 * i + H - 1) << i;
        }
        for (int j = 0; j <= s; ++j) {
            ASSERT_EQ(maker->IndexMapAt(s, j), 256 * (s - 1) + j) << j;
        }
        for (int c = 0; c < 3 * s; ++c) {
            for (int r = 0; r < H; ++r) {
                const std::int32_t code = maker->ResultMapAt(c, r);
                ASSERT_LT(code / 256, s) << c << "," << r;
                ASSERT_LT(code % 256, H) << c << "," << r;
            }
        }
        ASSERT_TRUE(maker->Make(test::RandomPiece(s, s, static_cast<std::uint32_t>(s))));
        EXPECT_EQ(maker->ResultImage().Width(), 3 * s);
        EXPECT_EQ(maker->ResultImage().Height(), 2 * H - 2);
    }
}

// Band columns h .. s+h-1 show the source triangle where a cell lies well
// below the slanted edges; the same piece always gives the same tile.
TEST(Kaleidoscope, BandShowsTheSourceTriangle)
{
    const double sqrt3 = std::sqrt(3.0);
    for (int s : {32, 64, 256}) {
        SCOPED_TRACE(testing::Message() << "X = " << s);
        const int h = s / 2;
        const int H = BandHeight(s);
        auto maker = std::make_unique<TSankaku>();
        ASSERT_TRUE(maker->Prepare({s, s}, false));
        const Image piece = test::RandomPiece(s, s, 11);
        ASSERT_TRUE(maker->Make(piece));
        const Image tile = maker->ResultImage();
        int checked = 0;
        for (int i = 0; i < s; ++i) {
            for (int j = 0; j < sqrt3 * std::min(i, s - i) - 2; ++j) {
                ASSERT_EQ(test::Colour(tile, h + i, H - 1 - j), test::Colour(piece, i, s - 1 - j))
                    << i << "," << j;
                ++checked;
            }
        }
        EXPECT_GT(checked, s * H / 3);
        ASSERT_TRUE(maker->Make(piece));
        EXPECT_EQ(maker->ResultImage(), tile);
    }
}

TEST(Kaleidoscope, TileIsSymmetricAboutTheLineOfTheBases)
{
    for (int s : {32, 64, 200, 256}) {
        for (bool shuffle : {false, true}) {
            SCOPED_TRACE(testing::Message() << "X = " << s << " shuffle " << shuffle);
            const int H = BandHeight(s);
            auto maker = std::make_unique<TSankaku>();
            ASSERT_TRUE(maker->Prepare({s, s}, shuffle));
            ASSERT_TRUE(maker->Make(test::RandomPiece(s, s, 3)));
            const Image& tile = maker->ResultImage();
            for (int k = 1; k <= H - 2; ++k) {
                for (int x = 0; x < 3 * s; ++x) {
                    ASSERT_EQ(test::Colour(tile, x, H - 1 - k), test::Colour(tile, x, H - 1 + k))
                        << x << ", k = " << k;
                }
            }
        }
    }
}

}  // namespace
}  // namespace qm
