// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "imageio/BmpReader.h"
#include "imageio/BmpWriter.h"
#include "imageio/ByteOrder.h"

namespace qm {
namespace {

TEST(BmpWriter, WritesBottomUpRowsPaddedToFourBytes)
{
    const Image image = test::Gradient(62, 62);
    const std::vector<std::uint8_t> file = EncodeBmp(image);
    const std::size_t stride = 188;  // 62 * 3 = 186 bytes, padded
    ASSERT_EQ(file.size(), 54 + stride * 62);

    std::vector<std::uint8_t> expected = {'B', 'M'};
    AppendLe32(expected, static_cast<std::uint32_t>(file.size()));
    AppendLe32(expected, 0);
    AppendLe32(expected, 54);
    AppendLe32(expected, 40);
    AppendLe32(expected, 62);
    AppendLe32(expected, 62);
    AppendLe16(expected, 1);
    AppendLe16(expected, 24);
    AppendLe32(expected, 0);
    AppendLe32(expected, static_cast<std::uint32_t>(stride * 62));
    for (int i = 0; i < 4; ++i) {
        AppendLe32(expected, 0);
    }
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), file.begin()));

    for (int y = 0; y < 62; ++y) {
        const std::uint8_t* stored = file.data() + 54 + stride * (61 - y);
        EXPECT_TRUE(std::equal(stored, stored + 186, image.Row(y))) << y;
        EXPECT_EQ(stored[186], 0);
        EXPECT_EQ(stored[187], 0);
    }
    EXPECT_TRUE(DecodeBmp(file) == image);
}

TEST(BmpWriter, RowsThatAreWholeWordsHaveNoPadding)
{
    const Image image = test::Gradient(4, 3);
    const std::vector<std::uint8_t> file = EncodeBmp(image);
    EXPECT_EQ(file.size(), 54u + 12 * 3);
    EXPECT_TRUE(DecodeBmp(file) == image);
}

// 300 dpi is 11811 pixels per metre, in both directions; without it, 0.
TEST(BmpWriter, RecordsTheResolutionInPixelsPerMetre)
{
    const Image image = test::Gradient(8, 8);
    const std::vector<std::uint8_t> tagged = EncodeBmp(image, 300);
    EXPECT_EQ(ReadLe32(&tagged[38]), 11811u);
    EXPECT_EQ(ReadLe32(&tagged[42]), 11811u);
    std::vector<std::uint8_t> plain = EncodeBmp(image);
    EXPECT_EQ(ReadLe32(&plain[38]), 0u);
    plain[38] = tagged[38];
    plain[39] = tagged[39];
    plain[42] = tagged[42];
    plain[43] = tagged[43];
    EXPECT_EQ(plain, tagged);
}

}  // namespace
}  // namespace qm
