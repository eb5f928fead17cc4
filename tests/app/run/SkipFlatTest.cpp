// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>

#include "app/run/MakeTiles.h"
#include "app/run/PieceDetail.h"
#include "support/Noise.h"

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
    series.ExtendedSettings.SkipFlat = skipFlat;
    series.ExtendedSettings.SkipFlatLevel = level;
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
                    const double detail = PieceDetail(source, false).Of(Rect{x, y, 32, 32});
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

// The plain standard deviation of the luminance of rect, which passes any
// steep enough gradient as detailed.
double Spread(const Image& picture, const Rect& rect)
{
    double sum = 0;
    double squares = 0;
    for (int y = rect.Top; y < rect.Top + rect.Height; ++y) {
        for (int x = rect.Left; x < rect.Left + rect.Width; ++x) {
            const std::uint8_t* p = picture.Pixel(x, y);
            const double luma = 0.114 * p[0] + 0.587 * p[1] + 0.299 * p[2];
            sum += luma;
            squares += luma * luma;
        }
    }
    const double n = static_cast<double>(rect.Width) * rect.Height;
    return std::sqrt(squares / n - sum / n * sum / n);
}

// A sky that brightens steeply from the top down, with a patch of foliage
// (noise) of 80 by 60 in its lower right corner.
Image Sky()
{
    Image picture(240, 160);
    for (int y = 0; y < 160; ++y) {
        for (int x = 0; x < 240; ++x) {
            std::uint8_t* p = picture.Pixel(x, y);
            p[0] = static_cast<std::uint8_t>(150 + y / 2);
            p[1] = static_cast<std::uint8_t>(60 + y);
            p[2] = static_cast<std::uint8_t>(40 + y);
        }
    }
    picture.Draw(test::Noise(80, 60, 4), 160, 100);
    return picture;
}

// A drawn picture, 85 % gradients: the left part darkens to the right, the
// right part brightens diagonally, and a band of 15 % of the width between
// them holds a fine check.
Image Drawn()
{
    Image picture(400, 160);
    for (int y = 0; y < 160; ++y) {
        for (int x = 0; x < 400; ++x) {
            const int level = x < 200   ? 240 - x
                              : x < 260 ? ((x / 3 + y / 3) % 2 != 0 ? 200 : 60)
                                        : 20 + (x - 260) + y / 2;
            std::uint8_t* p = picture.Pixel(x, y);
            p[0] = static_cast<std::uint8_t>(level + 15);
            p[1] = static_cast<std::uint8_t>(level);
            p[2] = static_cast<std::uint8_t>(level);
        }
    }
    return picture;
}

TEST(SkipFlat, GradientsAreFlatHoweverSteep)
{
    struct Case {
        Image Source;
        Rect Gradient;
    };
    const Case cases[] = {{Sky(), Rect{10, 20, 64, 64}}, {Drawn(), Rect{130, 40, 64, 64}}};
    for (const Case& c : cases) {
        const PieceDetail direct(c.Source, false);
        const PieceDetail tables(c.Source, true);
        // The plain spread would take the gradient's piece for detail.
        EXPECT_GT(Spread(c.Source, c.Gradient), 12.0);
        EXPECT_LT(direct.Of(c.Gradient), 1.0);
        const TileSeries series = Series(c.Source, 64, true, 12);
        Lcg generator(17);
        for (int i = 0; i < 20; ++i) {
            const TileDraw draw = DrawTile(generator, series, c.Source);
            const Rect piece{draw.X0, draw.Y0, 64, 64};
            EXPECT_GE(direct.Of(piece), 12.0) << draw.X0 << "," << draw.Y0;
            EXPECT_EQ(tables.Of(piece), direct.Of(piece));
        }
        for (const Rect& edge : {Rect{0, 0, c.Source.Width(), c.Source.Height()},
                                 Rect{c.Source.Width() - 33, c.Source.Height() - 31, 33, 31}}) {
            EXPECT_EQ(tables.Of(edge), direct.Of(edge));
        }
    }
}

}  // namespace
}  // namespace qm
