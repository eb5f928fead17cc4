// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cstdio>
#include <set>

#include <jpeglib.h>
#include <jerror.h>

#include "JpegTestEncoder.h"
#include "TestFiles.h"
#include "core/Errors.h"
#include "imageio/JpegReader.h"

namespace qm {
namespace {

std::string DecodeFailure(const std::vector<std::uint8_t>& bytes)
{
    try {
        DecodeJpeg(bytes);
    } catch (const ErrorMessage& error) {
        return error.what();
    }
    return {};
}

std::string JpegMessage(int code)
{
    return "JPEG エラー #" + std::to_string(code);
}

// Position of the first frame header (SOF0 to SOF2), or 0.
std::size_t FrameHeader(const std::vector<std::uint8_t>& file)
{
    for (std::size_t i = 2; i + 9 < file.size(); ++i) {
        if (file[i] == 0xFF && file[i + 1] >= 0xC0 && file[i + 1] <= 0xC2) {
            return i;
        }
    }
    return 0;
}

TEST(JpegReader, SampleFilesDecodeInColour)
{
    for (const char* name : {"testorig.jpg", "testimgint.jpg", "testimgari.jpg"}) {
        SCOPED_TRACE(name);
        const Image image = DecodeJpeg(test::ReadFixture(std::string("jpeg-bmp/") + name));
        EXPECT_EQ(image.Width(), 227);
        EXPECT_EQ(image.Height(), 149);
        int coloured = 0;
        for (int y = 0; y < image.Height(); ++y) {
            for (int x = 0; x < image.Width(); ++x) {
                const std::uint8_t* p = image.Pixel(x, y);
                coloured += p[0] != p[1] || p[1] != p[2];
            }
        }
        EXPECT_GT(coloured, image.Width() * image.Height() / 2);
    }
    // The integer and arithmetic-coded variants hold the same picture.
    const Image plain = DecodeJpeg(test::ReadFixture("jpeg-bmp/testimgint.jpg"));
    const Image arithmetic = DecodeJpeg(test::ReadFixture("jpeg-bmp/testimgari.jpg"));
    EXPECT_TRUE(plain == arithmetic);
}

TEST(JpegReader, TwelveBitFilesFailWithLibjpegsNumber)
{
    EXPECT_EQ(DecodeFailure(test::ReadFixture("jpeg-bmp/monkey12.jpg")),
              JpegMessage(JERR_BAD_PRECISION));
}

TEST(JpegReader, GreyFilesGiveAtMost236GreyValues)
{
    const int width = 256;
    const int height = 32;
    std::vector<std::uint8_t> grey(width * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            grey[y * width + x] = static_cast<std::uint8_t>(x);
        }
    }
    const Image image =
        DecodeJpeg(test::EncodeRawJpeg(grey, width, height, 1, JCS_GRAYSCALE));
    ASSERT_EQ(image.Width(), width);
    std::set<int> values;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = image.Pixel(x, y);
            EXPECT_EQ(p[0], p[1]);
            EXPECT_EQ(p[1], p[2]);
            EXPECT_NEAR(p[0], x, 6) << x << "," << y;
            values.insert(p[0]);
        }
    }
    EXPECT_LE(values.size(), 236u);
    EXPECT_GT(values.size(), 200u);
}

TEST(JpegReader, FilesWithHundredsOfScansAreRefused)
{
    // Each scan costs a pass over the whole picture, so a small file with a
    // great many scans would keep the decoder busy for minutes.
    const std::vector<std::uint8_t> grey(64 * 64, 128);
    EXPECT_EQ(DecodeJpeg(test::EncodeManyScanGreyJpeg(grey, 64, 64, false)).Width(), 64);
    EXPECT_EQ(DecodeFailure(test::EncodeManyScanGreyJpeg(grey, 64, 64, true)),
              JpegMessage(JERR_BAD_PROGRESSION));
}

TEST(JpegReader, CmykFilesGiveTheirColours)
{
    // Adobe's inverted CMYK, as libjpeg marks it: no cyan, full magenta and
    // yellow, no black is red.
    const std::vector<std::uint8_t> cmyk = [] {
        std::vector<std::uint8_t> samples;
        for (int i = 0; i < 16 * 16; ++i) {
            samples.insert(samples.end(), {255, 0, 0, 255});
        }
        return samples;
    }();
    const Image image = DecodeJpeg(test::EncodeRawJpeg(cmyk, 16, 16, 4, JCS_CMYK));
    const std::uint8_t* p = image.Pixel(8, 8);
    EXPECT_LE(p[0], 8);
    EXPECT_LE(p[1], 8);
    EXPECT_GE(p[2], 247);
}

TEST(JpegReader, BrokenFilesFailWithLibjpegsNumber)
{
    const auto whole = test::ReadFixture("jpeg-bmp/testorig.jpg");
    EXPECT_EQ(DecodeFailure({}), JpegMessage(JERR_INPUT_EMPTY));
    EXPECT_EQ(DecodeFailure(test::ReadFixture("pngsuite/basn2c08.png")),
              JpegMessage(JERR_NO_SOI));
    const std::vector<std::uint8_t> headerOnly(whole.begin(), whole.begin() + 100);
    EXPECT_EQ(DecodeFailure(headerOnly).rfind("JPEG エラー #", 0), 0u);
    // A stream cut inside the image data decodes with a warning, as libjpeg
    // fills the rest.
    const std::vector<std::uint8_t> half(whole.begin(), whole.begin() + whole.size() / 2);
    EXPECT_EQ(DecodeJpeg(half).Width(), 227);
}

TEST(JpegReader, HugeClaimedSizesFailBeforeAllocating)
{
    auto file = test::ReadFixture("jpeg-bmp/testorig.jpg");
    const std::size_t frame = FrameHeader(file);
    ASSERT_NE(frame, 0u);
    auto claim = [&](int width, int height) {
        auto patched = file;
        patched[frame + 5] = static_cast<std::uint8_t>(height >> 8);
        patched[frame + 6] = static_cast<std::uint8_t>(height);
        patched[frame + 7] = static_cast<std::uint8_t>(width >> 8);
        patched[frame + 8] = static_cast<std::uint8_t>(width);
        return patched;
    };
    EXPECT_EQ(DecodeFailure(claim(Image::kMaxSide + 1, 10)), JpegMessage(JERR_IMAGE_TOO_BIG));
    EXPECT_EQ(DecodeFailure(claim(30000, 30000)), JpegMessage(JERR_IMAGE_TOO_BIG));
    EXPECT_THROW(DecodeJpeg(file, DecodeLimits{200, 1 << 20}), ErrorMessage);
}

// testorig.jpg is 227 x 149; libjpeg's scale M/8 gives ceil(227 M / 8) x
// ceil(149 M / 8) pixels.
TEST(JpegReader, SmallestScaleThatStillCoversTheOrientedSize)
{
    std::vector<std::uint8_t> file = test::ReadFixture("jpeg-bmp/testorig.jpg");
    DecodeOptions options;
    std::pair<int, int> full;
    std::pair<int, int> wanted{60, 30};
    options.MinSizeFor = [&](int width, int height) {
        full = {width, height};
        return wanted;
    };
    DecodedSource scaled = DecodeJpegSource(file, options);
    EXPECT_EQ(full, (std::pair{227, 149}));
    EXPECT_EQ(scaled.JpegScale, 3);
    EXPECT_EQ(scaled.Picture.Width(), 86);
    EXPECT_EQ(scaled.Picture.Height(), 56);
    wanted = {300, 30};
    EXPECT_EQ(DecodeJpegSource(file, options).JpegScale, 8);

    // Turned a quarter by its Exif block, the picture is 149 wide.
    const std::vector<std::uint8_t> app1 = {0xff, 0xe1, 0, 34, 'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0,
                                            42, 0, 0, 0, 8, 0, 1, 0x01, 0x12, 0, 3, 0, 0, 0, 1, 0, 6,
                                            0, 0, 0, 0, 0, 0};
    file.insert(file.begin() + 2, app1.begin(), app1.end());
    wanted = {60, 30};
    options.AutoOrient = true;
    EXPECT_EQ(DecodeJpegSource(file, options).JpegScale, 4);
    EXPECT_EQ(full, (std::pair{149, 227}));
}

}  // namespace
}  // namespace qm
