// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <array>
#include <limits>

#include "core/Errors.h"
#include "effects/EffectLib.h"

namespace qm {
namespace {

using Rgb = std::array<int, 3>;

// One pixel of colour (red, green, blue) through ChangeBrightness(amount).
Rgb Changed(Rgb colour, double amount)
{
    Image piece(1, 1);
    piece.Pixel(0, 0)[0] = static_cast<std::uint8_t>(colour[2]);
    piece.Pixel(0, 0)[1] = static_cast<std::uint8_t>(colour[1]);
    piece.Pixel(0, 0)[2] = static_cast<std::uint8_t>(colour[0]);
    TImageEffect effect;
    effect.SetSource(piece);
    effect.ChangeBrightness(amount);
    const std::uint8_t* p = effect.GetResult().Pixel(0, 0);
    return {p[2], p[1], p[0]};
}

TEST(Brightness, KnownColoursAtTypicalAmounts)
{
    EXPECT_EQ(Changed({0, 0, 0}, 0.2), (Rgb{51, 51, 51}));
    EXPECT_EQ(Changed({255, 255, 255}, -0.25), (Rgb{191, 191, 191}));
    EXPECT_EQ(Changed({255, 255, 255}, 0.25), (Rgb{255, 255, 255}));
    EXPECT_EQ(Changed({255, 0, 0}, 0.25), (Rgb{255, 45, 45}));
    EXPECT_EQ(Changed({128, 128, 128}, 0.1), (Rgb{141, 141, 140}));
    EXPECT_EQ(Changed({128, 128, 128}, -0.1), (Rgb{115, 115, 115}));
    EXPECT_EQ(Changed({0, 0, 255}, -0.2), (Rgb{0, 0, 249}));
}

TEST(Brightness, FullAmountsKeepOnlyTheColourDifferences)
{
    EXPECT_EQ(Changed({128, 128, 128}, 1), (Rgb{255, 255, 255}));
    EXPECT_EQ(Changed({255, 0, 0}, 1), (Rgb{255, 179, 179}));
    EXPECT_EQ(Changed({128, 128, 128}, -1), (Rgb{0, 0, 0}));
    EXPECT_EQ(Changed({255, 0, 0}, -1), (Rgb{179, 0, 0}));
}

TEST(Brightness, ZeroAmountCopiesEveryPixelExactly)
{
    Image piece(16, 16);
    for (int y = 0; y < 16; ++y) {
        for (std::size_t i = 0; i < piece.RowBytes(); ++i) {
            piece.Row(y)[i] = static_cast<std::uint8_t>(y * 37 + static_cast<int>(i) * 11);
        }
    }
    TImageEffect effect;
    effect.SetSource(piece);
    effect.ChangeBrightness(0.2);
    effect.ChangeBrightness(0);
    EXPECT_EQ(effect.GetResult(), piece);
}

TEST(Brightness, AmountsOutsideTheRangeStopSilentlyAndKeepTheResult)
{
    Image piece(2, 1);
    piece.Pixel(1, 0)[1] = 77;
    TImageEffect effect;
    effect.SetSource(piece);
    for (const double amount : {1.5, -1.5, std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_THROW(effect.ChangeBrightness(amount), SilentStop);
        EXPECT_EQ(effect.GetResult(), piece);
    }
}

TEST(Brightness, ColourSettersClampAndConversionsUseTheirOwnConstants)
{
    TRgb colour;
    EXPECT_EQ(colour.R() + colour.G() + colour.B(), 0);
    colour.SetR(300);
    colour.SetG(-5);
    colour.SetB(128);
    EXPECT_EQ(colour.R(), 255);
    EXPECT_EQ(colour.G(), 0);

    // Grey there and back shifts blue by one: the backward constants are
    // not the exact inverse of the forward ones.
    colour.SetR(128);
    colour.SetG(128);
    double y = 0;
    double cr = 0;
    double cb = 0;
    colour.ToYCbCr(y, cr, cb);
    EXPECT_DOUBLE_EQ(y, 128 * 0.299 / 255 + 128 * 0.587 / 255 + 128 * 0.114 / 255);
    colour.FromYCbCr(y + 0.1 * (1 - y), cr, cb);
    EXPECT_EQ(colour.B(), 140);
    colour.FromYCbCr(1e300, 0, -1e300);
    EXPECT_EQ(colour.R(), 255);
    EXPECT_EQ(colour.B(), 0);
}

}  // namespace
}  // namespace qm
