// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "app/MakeTiles.h"
#include "app/PieceDetail.h"

namespace qm {
namespace {

// A picture whose left half is one grey and whose right half is the same
// grey with faint noise, each channel off by up to 24 levels: a whole piece
// of it has a luminance deviation of about 10, one that reaches into the
// flat half less.
Image HalfFlat(int width, int height)
{
    Image picture(width, height);
    Lcg noise(3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < 3 * width; ++x) {
            picture.Row(y)[x] = static_cast<std::uint8_t>(
                x < 3 * (width / 2) ? 128 : 104 + static_cast<int>(noise.Random(49)));
        }
    }
    return picture;
}

TileSeries Series(const Image& source, int cut, bool skipFlat, int level)
{
    TileSeries series;
    series.SizeX = series.SizeY = cut;
    series.RangeX = source.Width() - cut;
    series.RangeY = source.Height() - cut;
    series.BrightnessFlag = true;
    series.Extended.SkipFlat = skipFlat;
    series.Extended.SkipFlatLevel = level;
    return series;
}

TEST(SkipFlat, EveryTileComesFromTheDetailedHalf)
{
    const Image source = HalfFlat(400, 64);
    const TileSeries series = Series(source, 32, true, 9);
    Lcg generator(5);
    int retried = 0;
    for (int i = 0; i < 40; ++i) {
        const TileDraw draw = DrawTile(generator, series, source);
        // At least three quarters of the piece lie in the detailed half.
        EXPECT_GE(draw.X0, 200 - 8);
        retried += draw.Tried > 1;
    }
    EXPECT_GT(retried, 0);
}

TEST(SkipFlat, DrawSequenceOffOnAndWhenNonePasses)
{
    const Image source = HalfFlat(400, 64);
    for (const bool skip : {false, true}) {
        for (const int level : {9, 255}) {
            SCOPED_TRACE(testing::Message() << skip << " " << level);
            const TileSeries series = Series(source, 32, skip, level);
            Lcg generator(9);
            Lcg replay(9);
            for (int i = 0; i < 10; ++i) {
                const TileDraw draw = DrawTile(generator, series, source);
                // Replays the positions the tile consumed: all but the
                // last fail the level, and the first of the most detailed
                // is used.
                double best = -1;
                int x0 = 0;
                int y0 = 0;
                for (int k = 1; k <= draw.Tried; ++k) {
                    const int x = static_cast<int>(replay.Random(series.RangeX));
                    const int y = static_cast<int>(replay.Random(series.RangeY));
                    const double detail = LuminanceDeviation(source, Rect{x, y, 32, 32});
                    EXPECT_TRUE(k == draw.Tried || detail < level);
                    if (detail > best) {
                        best = detail;
                        x0 = x;
                        y0 = y;
                    }
                }
                if (!skip) {
                    EXPECT_EQ(draw.Tried, 1);
                } else if (level == 255) {
                    EXPECT_EQ(draw.Tried, kSkipFlatPositions);
                } else {
                    EXPECT_GE(best, level);
                }
                EXPECT_EQ(draw.X0, x0);
                EXPECT_EQ(draw.Y0, y0);
                EXPECT_EQ(draw.Amount, replay.RandomFraction() * 0.5 - 0.25);
            }
        }
    }
}

}  // namespace
}  // namespace qm
