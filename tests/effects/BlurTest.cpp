// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <utility>
#include <vector>

#include "effects/ImageEffect.h"
#include "effects/WideBlur.h"

namespace qm {
namespace {

Image Filled(int width, int height, std::uint8_t blue, std::uint8_t green, std::uint8_t red)
{
    Image image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = image.Pixel(x, y);
            p[0] = blue;
            p[1] = green;
            p[2] = red;
        }
    }
    return image;
}

void SetGrey(Image& image, int x, int y, std::uint8_t value)
{
    std::uint8_t* p = image.Pixel(x, y);
    p[0] = p[1] = p[2] = value;
}

TEST(Blur, FlatPicturesAndSinglePixelsStayAsTheyAre)
{
    Image flat = Filled(7, 5, 10, 200, 255);
    const Image flatBefore = flat;
    Blur(flat);
    EXPECT_EQ(flat, flatBefore);

    Image single = Filled(1, 1, 3, 99, 254);
    const Image singleBefore = single;
    Blur(single);
    EXPECT_EQ(single, singleBefore);

    Image empty(0, 4);
    Blur(empty);
    EXPECT_EQ(empty.Width(), 0);
    EXPECT_EQ(empty.Height(), 4);
}

TEST(Blur, WhitePointSpreadsOverItsEightNeighbours)
{
    Image image(7, 7);
    SetGrey(image, 3, 3, 255);
    Blur(image);
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 7; ++x) {
            const bool centre = x == 3 && y == 3;
            const bool neighbour = !centre && std::abs(x - 3) <= 1 && std::abs(y - 3) <= 1;
            const int expected = centre ? 51 : neighbour ? 25 : 0;
            for (int k = 0; k < 3; ++k) {
                EXPECT_EQ(image.Pixel(x, y)[k], expected) << x << "," << y << " component " << k;
            }
        }
    }
}

TEST(Blur, EdgesRepeatTheNearestPixel)
{
    Image image(2, 1);
    SetGrey(image, 1, 0, 100);
    Blur(image);
    EXPECT_EQ(image.Pixel(0, 0)[0], 30);
    EXPECT_EQ(image.Pixel(0, 0)[2], 30);
    EXPECT_EQ(image.Pixel(1, 0)[0], 70);
    EXPECT_EQ(image.Pixel(1, 0)[1], 70);
}

// Reads every neighbour through clamped coordinates of an untouched copy.
Image ReferenceBlur(const Image& source)
{
    Image out(source.Width(), source.Height());
    const int w = source.Width();
    const int h = source.Height();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            for (int k = 0; k < 3; ++k) {
                int sum = source.Pixel(x, y)[k];
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int sx = std::clamp(x + dx, 0, w - 1);
                        const int sy = std::clamp(y + dy, 0, h - 1);
                        sum += source.Pixel(sx, sy)[k];
                    }
                }
                out.Pixel(x, y)[k] = static_cast<std::uint8_t>(sum / 10);
            }
        }
    }
    return out;
}

TEST(Blur, MatchesThePlainConvolutionOnNoise)
{
    std::mt19937 random(20261208);
    std::vector<std::pair<int, int>> sizes = {{1, 1}, {1, 9}, {9, 1}, {2, 2}, {2, 1},
                                              {1, 2}, {3, 3}, {37, 23}, {256, 3}, {3, 256}};
    // Widths around the vector lengths of the row loop, and saturated
    // pictures, where the sums come closest to their 16-bit bound.
    for (int w = 1; w <= 40; ++w) {
        sizes.emplace_back(w, 1 + w % 5);
    }
    for (const auto& [w, h] : sizes) {
        Image image(w, h);
        for (int y = 0; y < h; ++y) {
            for (std::size_t i = 0; i < image.RowBytes(); ++i) {
                image.Row(y)[i] = static_cast<std::uint8_t>(random());
            }
        }
        const Image expected = ReferenceBlur(image);
        Blur(image);
        EXPECT_EQ(image, expected) << w << "x" << h;
    }
    for (const std::uint8_t level : {std::uint8_t{254}, std::uint8_t{255}}) {
        Image bright = Filled(33, 17, level, level, level);
        SetGrey(bright, 16, 8, 0);
        const Image expected = ReferenceBlur(bright);
        Blur(bright);
        EXPECT_EQ(bright, expected) << int{level};
    }
}

// The blur for a picture factor times larger: at factor 1 the blur itself;
// on a picture of factor by factor blocks (factor odd), the blur of the
// blocks' picture at every block's centre, edges included.
TEST(WideBlur, BlursAtThePictureItIsMeantFor)
{
    std::mt19937 random(7);
    Image small(9, 6);
    for (int y = 0; y < small.Height(); ++y) {
        for (std::size_t i = 0; i < small.RowBytes(); ++i) {
            small.Row(y)[i] = static_cast<std::uint8_t>(random());
        }
    }
    Image one = small;
    WideBlur(one, 1);
    const Image blurred = ReferenceBlur(small);
    EXPECT_EQ(one, blurred);

    const int k = 3;
    Image blocks(k * small.Width(), k * small.Height());
    for (int y = 0; y < blocks.Height(); ++y) {
        for (int x = 0; x < blocks.Width(); ++x) {
            std::copy_n(small.Pixel(x / k, y / k), 3, blocks.Pixel(x, y));
        }
    }
    WideBlur(blocks, k);
    for (int y = 0; y < small.Height(); ++y) {
        for (int x = 0; x < small.Width(); ++x) {
            const std::uint8_t* centre = blocks.Pixel(k * x + 1, k * y + 1);
            EXPECT_TRUE(std::equal(centre, centre + 3, blurred.Pixel(x, y))) << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace qm
