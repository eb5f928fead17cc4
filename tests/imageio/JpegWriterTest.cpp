// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include <jpeglib.h>

#include "JpegTestEncoder.h"
#include "TestFiles.h"
#include "imageio/JpegReader.h"
#include "imageio/JpegWriter.h"
#include "support/Noise.h"

namespace qm {
namespace {

// The first marker of the given kind, or file.size().
std::size_t FindMarker(const std::vector<std::uint8_t>& file, std::uint8_t marker)
{
    for (std::size_t i = 0; i + 1 < file.size(); ++i) {
        if (file[i] == 0xFF && file[i + 1] == marker) {
            return i;
        }
    }
    return file.size();
}

int LargestDifference(const Image& a, const Image& b)
{
    int largest = 0;
    for (std::size_t i = 0; i < a.Bytes().size(); ++i) {
        largest = std::max(largest, std::abs(a.Bytes()[i] - b.Bytes()[i]));
    }
    return largest;
}

TEST(JpegWriter, QualityShapesTheTablesAndTheFile)
{
    const Image image = test::Gradient(64, 48);
    const auto best = EncodeJpeg(image, 100);
    const auto worst = EncodeJpeg(image, 1);
    EXPECT_LT(worst.size(), best.size());

    for (const auto* file : {&best, &worst}) {
        EXPECT_EQ((*file)[0], 0xFF);
        EXPECT_EQ((*file)[1], 0xD8);
        EXPECT_LT(FindMarker(*file, 0xC0), file->size());   // baseline frame
        EXPECT_EQ(FindMarker(*file, 0xC2), file->size());   // not progressive
        const Image decoded = DecodeJpeg(*file);
        EXPECT_EQ(decoded.Width(), 64);
        EXPECT_EQ(decoded.Height(), 48);
    }
    // Quality 100 gives quantisation tables of ones; forced baseline keeps
    // quality 1's values within 8 bits.
    const std::size_t table = FindMarker(best, 0xDB);
    ASSERT_LT(table + 5 + 64, best.size());
    EXPECT_EQ(best[table + 4] >> 4, 0);  // 8-bit precision
    for (int i = 0; i < 64; ++i) {
        EXPECT_EQ(best[table + 5 + i], 1);
    }
    const std::size_t worstTable = FindMarker(worst, 0xDB);
    EXPECT_EQ(worst[worstTable + 4] >> 4, 0);
    EXPECT_EQ(worst[worstTable + 5], 255);
}

TEST(JpegWriter, KeepsColoursAndOrientation)
{
    Image image(32, 32);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            std::uint8_t* p = image.Pixel(x, y);
            p[y < 16 ? 2 : 0] = 255;  // red above, blue below
        }
    }
    const Image decoded = DecodeJpeg(EncodeJpeg(image, 100));
    // Away from the edge between the colours, where the smoothed colour
    // planes blend.
    const Rect top{0, 0, 32, 12};
    const Rect bottom{0, 20, 32, 12};
    for (const Rect& area : {top, bottom}) {
        Image expected(area.Width, area.Height);
        Image actual(area.Width, area.Height);
        expected.CopyRect(0, 0, image, area);
        actual.CopyRect(0, 0, decoded, area);
        EXPECT_LE(LargestDifference(actual, expected), 8);
    }
}

TEST(JpegWriter, EncodesAsLibjpegDoesFromRedGreenBlueRows)
{
    // Odd sizes, so that edge blocks are padded too.
    for (const auto& [width, height] : {std::pair{37, 29}, std::pair{64, 48}, std::pair{1, 1}}) {
        const Image image = test::Noise(width, height, 99);
        std::vector<std::uint8_t> rgb;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const std::uint8_t* bgr = image.Pixel(x, y);
                rgb.insert(rgb.end(), {bgr[2], bgr[1], bgr[0]});
            }
        }
        EXPECT_EQ(EncodeJpeg(image, 95), test::EncodeRawJpeg(rgb, width, height, 3, JCS_RGB))
            << width << "x" << height;
    }
}

// The JFIF header's density: unit 1 (dots per inch) and the dpi in both
// directions; without it libjpeg's 1:1 aspect ratio (unit 0).
TEST(JpegWriter, RecordsTheResolutionInTheJfifHeader)
{
    const Image image = test::Noise(16, 16);
    const std::vector<std::uint8_t> tagged = EncodeJpeg(image, 75, 10000);
    const std::vector<std::uint8_t> plain = EncodeJpeg(image, 75);
    ASSERT_EQ(tagged.size(), plain.size());
    // SOI, APP0 marker and length, "JFIF\0", version, unit, densities.
    ASSERT_EQ(std::string(tagged.begin() + 6, tagged.begin() + 11), std::string("JFIF\0", 5));
    EXPECT_EQ(std::vector<std::uint8_t>(tagged.begin() + 13, tagged.begin() + 18),
              (std::vector<std::uint8_t>{1, 0x27, 0x10, 0x27, 0x10}));
    EXPECT_EQ(std::vector<std::uint8_t>(plain.begin() + 13, plain.begin() + 18),
              (std::vector<std::uint8_t>{0, 0, 1, 0, 1}));
    EXPECT_TRUE(std::equal(tagged.begin() + 18, tagged.end(), plain.begin() + 18));
}

// Full chroma: every component sampled 1 by 1 in the frame header, and a
// saturated line one pixel wide keeps its colour; the default stays
// libjpeg's 4:2:0, asked for or not.
TEST(JpegWriter, FullChromaKeepsThinColouredLines)
{
    Image image(32, 32);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            std::uint8_t* p = image.Pixel(x, y);
            p[0] = p[1] = p[2] = 255;
            if (x == 13) {
                p[0] = p[1] = 0;  // red
            }
        }
    }
    const std::vector<std::uint8_t> plain = EncodeJpeg(image, 90);
    EXPECT_EQ(EncodeJpeg(image, 90, 0, {}, JpegChroma::Subsampled420), plain);
    const std::vector<std::uint8_t> full = EncodeJpeg(image, 90, 0, {}, JpegChroma::Full444);
    // SOF0: marker, length, precision, height, width, count, then per
    // component its id, sampling factors and table.
    const std::size_t plainFrame = FindMarker(plain, 0xC0);
    const std::size_t fullFrame = FindMarker(full, 0xC0);
    ASSERT_LT(fullFrame + 19, full.size());
    ASSERT_LT(plainFrame + 19, plain.size());
    for (std::size_t c = 0; c < 3; ++c) {
        EXPECT_EQ(full[fullFrame + 11 + 3 * c], 0x11);
        EXPECT_EQ(plain[plainFrame + 11 + 3 * c], c == 0 ? 0x22 : 0x11);
    }
    const auto lineRed = [](const Image& decoded) {
        return decoded.Pixel(13, 16)[2] - decoded.Pixel(13, 16)[1];
    };
    EXPECT_GT(lineRed(DecodeJpeg(full)), 200);
    EXPECT_LT(lineRed(DecodeJpeg(plain)), lineRed(DecodeJpeg(full)) - 40);
}

}  // namespace
}  // namespace qm
