// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>

#include "core/Errors.h"
#include "core/Image.h"

namespace qm {
namespace {

Image Numbered(int width, int height)
{
    Image image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = image.Pixel(x, y);
            p[0] = static_cast<std::uint8_t>(x);
            p[1] = static_cast<std::uint8_t>(y);
            p[2] = static_cast<std::uint8_t>(x + y);
        }
    }
    return image;
}

TEST(Image, ResizingKeepsTheSharedAreaAndClearsTheRest)
{
    Image image = Numbered(4, 3);
    image.SetHeight(5);
    image.SetWidth(2);
    EXPECT_EQ(image.Width(), 2);
    EXPECT_EQ(image.Height(), 5);
    EXPECT_EQ(image.Pixel(1, 2)[0], 1);
    EXPECT_EQ(image.Pixel(1, 2)[1], 2);
    EXPECT_EQ(image.Pixel(1, 4)[1], 0);
    EXPECT_EQ(image.RowBytes(), 6u);
}

TEST(Image, RefusesNegativeAndHugeSizes)
{
    Image image;
    EXPECT_THROW(image.SetSize(-1, 4), ErrorMessage);
    EXPECT_THROW(image.SetSize(Image::kMaxSide + 1, 1), ErrorMessage);
    EXPECT_THROW(image.SetSize(20000, 20000), ErrorMessage);
    EXPECT_TRUE(image.Empty());
}

TEST(Image, DrawClipsAtTheEdges)
{
    Image target(3, 3);
    target.Draw(Numbered(4, 4), 1, -1);
    EXPECT_EQ(target.Pixel(0, 0)[0], 0);
    EXPECT_EQ(target.Pixel(1, 0)[1], 1);  // source row 1
    EXPECT_EQ(target.Pixel(2, 1)[0], 1);  // source column 1
    EXPECT_EQ(target.Pixel(2, 2)[1], 3);
}

TEST(Image, CopyRectWithinOneImageBehavesLikeACopyThroughATemporary)
{
    Image image = Numbered(6, 6);
    const Image before = image;
    image.CopyRect(0, 1, image, Rect{0, 0, 6, 4});  // overlapping, downward
    for (int y = 1; y < 5; ++y) {
        EXPECT_EQ(image.Pixel(3, y)[1], before.Pixel(3, y - 1)[1]);
    }
    image = before;
    image.CopyRect(1, 0, image, Rect{0, 0, 5, 6});  // overlapping, to the right
    for (int x = 1; x < 6; ++x) {
        EXPECT_EQ(image.Pixel(x, 2)[0], before.Pixel(x - 1, 2)[0]);
    }
    image = before;
    image.CopyRect(5, 0, image, Rect{2, 0, 1, 6});  // one column
    EXPECT_EQ(image.Pixel(5, 4)[0], 2);
    EXPECT_EQ(image.Pixel(5, 4)[1], 4);
}

TEST(Image, CopyRectUpwardsAndLeftwardsAndFromOutsideTheSource)
{
    Image image = Numbered(6, 6);
    const Image before = image;
    image.CopyRect(0, 0, image, Rect{0, 1, 6, 5});  // overlapping, upward
    for (int y = 0; y < 5; ++y) {
        EXPECT_EQ(image.Pixel(2, y)[1], before.Pixel(2, y + 1)[1]);
    }
    EXPECT_EQ(image.Pixel(2, 5)[1], 5);
    image = before;
    image.CopyRect(0, 0, image, Rect{1, 0, 5, 6});  // overlapping, to the left
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(image.Pixel(x, 3)[0], before.Pixel(x + 1, 3)[0]);
    }
    Image target(4, 4);
    for (int y = 0; y < 4; ++y) {
        std::fill_n(target.Row(y), target.RowBytes(), std::uint8_t{0xFF});
    }
    target.CopyRect(0, 0, before, Rect{-2, -1, 4, 4});  // only source (0..1, 0..2) exists
    EXPECT_EQ(target.Pixel(2, 1)[0], 0);
    EXPECT_EQ(target.Pixel(3, 3)[0], 1);
    EXPECT_EQ(target.Pixel(3, 3)[1], 2);
    EXPECT_EQ(target.Pixel(1, 1)[2], 0xFF);  // untouched
    EXPECT_EQ(target.Pixel(3, 0)[2], 0xFF);
}

}  // namespace
}  // namespace qm
