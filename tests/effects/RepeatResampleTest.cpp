// SPDX-License-Identifier: MIT
// Resampling a repeating tile to another size, and a region of a resampled
// picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <random>

#include "effects/RepeatResample.h"
#include "effects/ScaleTo.h"

#include <stb_image_resize.h>

namespace qm {
namespace {

Image Random(int width, int height, std::uint32_t seed)
{
    std::mt19937 random(seed);
    Image image(width, height);
    for (int y = 0; y < height; ++y) {
        for (std::size_t i = 0; i < image.RowBytes(); ++i) {
            image.Row(y)[i] = static_cast<std::uint8_t>(random());
        }
    }
    return image;
}

bool SamePixel(const Image& image, int x, int y, int otherX, int otherY)
{
    return std::equal(image.Pixel(x, y), image.Pixel(x, y) + 3, image.Pixel(otherX, otherY));
}

// A tile symmetric about the centres of its first column and row (and so
// about those half a tile further on), resampled smaller, larger and to its
// own size: symmetric about the same place, pixel for pixel; the same tile
// at its own size; one colour stays that colour.
TEST(RepeatResample, KeepsTheMirrorLinesOfItsAnchor)
{
    const Image half = Random(31, 23, 5);
    Image tile(60, 44);
    for (int y = 0; y < tile.Height(); ++y) {
        for (int x = 0; x < tile.Width(); ++x) {
            std::copy_n(half.Pixel(x < 30 ? x : 60 - x, y < 22 ? y : 44 - y), 3, tile.Pixel(x, y));
        }
    }
    EXPECT_EQ(ResampleRepeat(tile, 60, 44, 1, 1), tile);
    for (const auto& [w, h] :
         {std::pair{23, 17}, std::pair{22, 16}, std::pair{59, 43}, std::pair{83, 61}}) {
        const Image out = ResampleRepeat(tile, w, h, 1, 1);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                ASSERT_TRUE(SamePixel(out, x, y, (w - x) % w, y) &&
                            SamePixel(out, x, y, x, (h - y) % h))
                    << w << "x" << h << " at " << x << "," << y;
            }
        }
    }
    Image flat(10, 6);
    for (int y = 0; y < flat.Height(); ++y) {
        for (int x = 0; x < flat.Width(); ++x) {
            std::copy_n(tile.Pixel(0, 0), 3, flat.Pixel(x, y));
        }
    }
    const Image grown = ResampleRepeat(flat, 13, 7, 0, 1);
    for (int y = 0; y < grown.Height(); ++y) {
        for (int x = 0; x < grown.Width(); ++x) {
            EXPECT_TRUE(std::equal(grown.Pixel(x, y), grown.Pixel(x, y) + 3, tile.Pixel(0, 0)));
        }
    }
}

TEST(ScaleTo, ARegionIsThatPartOfTheWhole)
{
    const Image picture = Random(97, 61, 9);
    for (const auto& [w, h] : {std::pair{40, 25}, std::pair{291, 183}}) {
        const Image whole = ScaleTo(picture, w, h);
        for (const Rect region :
             {Rect{0, 0, w, h}, Rect{3, 5, w / 2, h / 3}, Rect{w - 9, h - 4, 9, 4}}) {
            const Image part = ScaleToRegion(picture, w, h, region);
            int largest = 0;
            for (int y = 0; y < region.Height; ++y) {
                for (int x = 0; x < region.Width; ++x) {
                    for (int k = 0; k < 3; ++k) {
                        largest = std::max(
                            largest, std::abs(part.Pixel(x, y)[k] -
                                              whole.Pixel(region.Left + x, region.Top + y)[k]));
                    }
                }
            }
            EXPECT_LE(largest, 1) << w << " " << region.Left << "," << region.Top;
        }
    }
}

// Every band count gives the bytes of stb's single pass over the whole,
// shrinking and growing, at the sizes a fit meets and at awkward ones.
TEST(ScaleTo, BandsGiveTheSinglePass)
{
    struct Case {
        int FromW, FromH, ToW, ToH;
    };
    for (const Case& c : {Case{1500, 1125, 1024, 768}, Case{1501, 999, 333, 221},
                          Case{640, 2000, 301, 941}, Case{97, 61, 291, 183},
                          Case{700, 500, 700, 300}}) {
        const Image picture = Random(c.FromW, c.FromH, static_cast<std::uint32_t>(c.ToH));
        Image single(c.ToW, c.ToH);
        ASSERT_NE(stbir_resize_uint8_srgb(picture.Row(0), c.FromW, c.FromH,
                                          static_cast<int>(picture.RowBytes()), single.Row(0),
                                          c.ToW, c.ToH, static_cast<int>(single.RowBytes()), 3,
                                          STBIR_ALPHA_CHANNEL_NONE, 0),
                  0);
        for (const int bands : {1, 2, 3, 7}) {
            const Image banded = ScaleToInBands(picture, c.ToW, c.ToH, bands);
            bool same = true;
            for (int y = 0; y < c.ToH; ++y) {
                same = same && std::memcmp(banded.Row(y), single.Row(y), single.RowBytes()) == 0;
            }
            EXPECT_TRUE(same) << c.FromW << "x" << c.FromH << " to " << c.ToW << "x" << c.ToH
                              << " in " << bands;
        }
    }
}

}  // namespace
}  // namespace qm
