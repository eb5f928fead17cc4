// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "effects/Colourway.h"
#include "effects/PaletteMap.h"

namespace qm {
namespace {

Srgb8 ColourAt(const Image& picture, int x, int y)
{
    const std::uint8_t* p = picture.Pixel(x, y);
    return {p[2], p[1], p[0]};
}

// Colours of every hue and lightness, the six full primaries and
// secondaries among them, and greys.
Image Swatches()
{
    Image picture(64, 16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 64; ++x) {
            const int v = 17 * (y % 16);
            const Srgb8 colour = x < 6   ? Srgb8{std::uint8_t(x % 3 == 0 || x == 3 || x == 5 ? 255 : 0),
                                               std::uint8_t(x % 3 == 1 || x == 3 || x == 4 ? 255 : 0),
                                               std::uint8_t(x % 3 == 2 || x == 4 || x == 5 ? 255 : 0)}
                                 : x < 10 ? Srgb8{std::uint8_t(v), std::uint8_t(v), std::uint8_t(v)}
                                          : Srgb8{std::uint8_t(x * 4), std::uint8_t(v),
                                                  std::uint8_t(255 - x * 3)};
            std::uint8_t* p = picture.Pixel(x, y);
            p[0] = colour.B;
            p[1] = colour.G;
            p[2] = colour.R;
        }
    }
    return picture;
}

TEST(Colourway, TurnsTheHueAndKeepsTheLightness)
{
    const Image swatches = Swatches();
    EXPECT_EQ(Colourway(1, 3).Apply(swatches), swatches);
    const double third = 2.0 * std::acos(-1.0) / 3.0;
    Colourway second(2, 3);
    const Image turned = second.Apply(swatches);
    for (int y = 0; y < swatches.Height(); ++y) {
        for (int x = 0; x < swatches.Width(); ++x) {
            SCOPED_TRACE(testing::Message() << x << "," << y);
            const OkLch before = LchFromLab(OkLabOf(ColourAt(swatches, x, y)));
            const OkLch after = LchFromLab(OkLabOf(ColourAt(turned, x, y)));
            // Clipping the channels of a primary turned outside sRGB would
            // move its lightness by a tenth and more.
            EXPECT_NEAR(after.L, before.L, 0.01);
            EXPECT_LE(after.C, before.C + 0.01);
            if (after.C > 0.05) {
                EXPECT_NEAR(std::remainder(after.H - before.H - third, 2 * std::acos(-1.0)), 0.0, 0.05);
            }
        }
    }
    // Full red goes outside when turned, and gives up chroma, not lightness.
    EXPECT_LT(LchFromLab(OkLabOf(ColourAt(turned, 0, 0))).C,
              LchFromLab(OkLabOf(ColourAt(swatches, 0, 0))).C - 0.05);
}

TEST(PaletteMap, StretchesTheTileOntoThePaletteByLightness)
{
    const Image swatches = Swatches();
    // Given out of order: light, dark, middle.
    const std::vector<Srgb8> palette{{240, 224, 160}, {16, 32, 64}, {192, 64, 48}};
    const Image mapped = PaletteMap(palette).Apply(swatches);
    std::vector<std::pair<double, double>> lightness;
    for (int y = 0; y < swatches.Height(); ++y) {
        for (int x = 0; x < swatches.Width(); ++x) {
            lightness.emplace_back(OkLabOf(ColourAt(swatches, x, y)).L,
                                   OkLabOf(ColourAt(mapped, x, y)).L);
            // Greys 0 and 255 are the tile's darkest and lightest pixels.
            if (x == 6 && y == 0) {
                EXPECT_EQ(ColourAt(mapped, x, y), palette[1]);
            }
            if (x == 6 && y == 15) {
                EXPECT_EQ(ColourAt(mapped, x, y), palette[0]);
            }
        }
    }
    std::sort(lightness.begin(), lightness.end());
    for (std::size_t i = 1; i < lightness.size(); ++i) {
        EXPECT_GE(lightness[i].second, lightness[i - 1].second - 0.004) << i;
    }
    PaletteMap twoGreys({{0, 0, 0}, {255, 255, 255}});
    const Image flat(4, 4);
    EXPECT_EQ(ColourAt(twoGreys.Apply(flat), 2, 2), (Srgb8{99, 99, 99}));
}

}  // namespace
}  // namespace qm
