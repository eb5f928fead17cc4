// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "core/Errors.h"
#include "imageio/BmpReader.h"
#include "imageio/ByteOrder.h"
#include "imageio/PngReader.h"

namespace qm {
namespace {

using test::FixtureFiles;
using test::ReadBytes;

constexpr const char* kBadBmp = "ビットマップイメージが不正です";

std::string DecodeFailure(const std::vector<std::uint8_t>& bytes)
{
    try {
        DecodeBmp(bytes);
    } catch (const ErrorMessage& error) {
        return error.what();
    }
    return {};
}

// File and information headers of an uncompressed file with the pixel data
// right after them.
std::vector<std::uint8_t> BmpHeaders(std::int32_t width, std::int32_t height, int bits,
                                     std::uint32_t compression = 0)
{
    std::vector<std::uint8_t> out = {'B', 'M'};
    AppendLe32(out, 0);
    AppendLe32(out, 0);
    AppendLe32(out, 54);
    AppendLe32(out, 40);
    AppendLe32(out, static_cast<std::uint32_t>(width));
    AppendLe32(out, static_cast<std::uint32_t>(height));
    AppendLe16(out, 1);
    AppendLe16(out, static_cast<std::uint16_t>(bits));
    AppendLe32(out, compression);
    for (int i = 0; i < 5; ++i) {
        AppendLe32(out, 0);
    }
    return out;
}

TEST(BmpReader, SuiteFilesMatchTheirReferenceDecodings)
{
    int compared = 0;
    for (const auto& file : FixtureFiles("bmpsuite/images", ".bmp")) {
        const auto reference = test::Fixture("bmpsuite/reference/" +
                                             file.filename().string() + ".png");
        if (!std::filesystem::exists(reference)) {
            continue;
        }
        SCOPED_TRACE(file.filename().string());
        const Image expected = DecodePng(ReadBytes(reference));
        const Image decoded = DecodeBmp(ReadBytes(file));
        ASSERT_EQ(decoded.Width(), expected.Width());
        ASSERT_EQ(decoded.Height(), expected.Height());
        int differing = 0;
        for (int y = 0; y < decoded.Height(); ++y) {
            for (int x = 0; x < decoded.Width(); ++x) {
                if (!std::equal(decoded.Pixel(x, y), decoded.Pixel(x, y) + 3,
                                expected.Pixel(x, y)) &&
                    differing++ == 0) {
                    ADD_FAILURE() << "first difference at " << x << "," << y;
                }
            }
        }
        EXPECT_EQ(differing, 0);
        ++compared;
    }
    EXPECT_GE(compared, 55);
}

TEST(BmpReader, LenientAndOddFilesDecodeOrFailWithTheMessage)
{
    auto files = FixtureFiles("bmpsuite/images/lenient", ".bmp");
    files.push_back(test::Fixture("bmpsuite/images/imagemagick_invalid_run_length_issue_2321.bmp"));
    for (const auto& file : files) {
        SCOPED_TRACE(file.filename().string());
        const std::string message = DecodeFailure(ReadBytes(file));
        EXPECT_TRUE(message.empty() || message == kBadBmp) << message;
    }
}

TEST(BmpReader, OtherProgramsFilesDecode)
{
    for (const char* name : {"shira_bird8.bmp", "vgl_6434_0018a.bmp", "vgl_6548_0026a.bmp"}) {
        SCOPED_TRACE(name);
        const Image image = DecodeBmp(test::ReadFixture(std::string("jpeg-bmp/") + name));
        EXPECT_FALSE(image.Empty());
    }
}

TEST(BmpReader, MalformedHeadersFail)
{
    std::vector<std::vector<std::uint8_t>> files;
    files.push_back({});
    files.push_back({'B', 'M'});
    auto notBmp = BmpHeaders(1, 1, 24);
    notBmp[0] = 'P';
    files.push_back(notBmp);
    auto oddHeaderSize = BmpHeaders(1, 1, 24);
    oddHeaderSize[14] = 41;
    files.push_back(oddHeaderSize);
    files.push_back(BmpHeaders(0, 1, 24));
    files.push_back(BmpHeaders(-2, 1, 24));
    files.push_back(BmpHeaders(1, 1, 3));
    files.push_back(BmpHeaders(1, 1, 24, 1));  // RLE8 with 24 bits
    files.push_back(BmpHeaders(1, 1, 8, 5));   // embedded PNG
    auto offsetPastEnd = BmpHeaders(1, 1, 24);
    offsetPastEnd.resize(58);
    offsetPastEnd[10] = 200;
    files.push_back(offsetPastEnd);
    auto offsetInHeader = BmpHeaders(1, 1, 24);
    offsetInHeader.resize(58);
    offsetInHeader[10] = 20;
    files.push_back(offsetInHeader);
    auto cutHeader = BmpHeaders(1, 1, 24);
    cutHeader.resize(40);
    files.push_back(cutHeader);
    auto masksMissing = BmpHeaders(1, 1, 32, 3);
    masksMissing.resize(60);
    files.push_back(masksMissing);
    for (std::size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(DecodeFailure(files[i]), kBadBmp);
    }
}

TEST(BmpReader, RowsMustAllBePresent)
{
    // 5 pixels of 24 bits: rows of 15 bytes padded to 16.
    auto file = BmpHeaders(5, 3, 24);
    file.resize(54 + 16 + 16 + 15, 0x80);
    EXPECT_EQ(DecodeBmp(file).Pixel(4, 0)[2], 0x80);
    file.pop_back();
    EXPECT_EQ(DecodeFailure(file), kBadBmp);
}

TEST(BmpReader, HugeClaimedSizesFailBeforeAllocating)
{
    EXPECT_EQ(DecodeFailure(BmpHeaders(Image::kMaxSide + 1, 1, 24)), kBadBmp);
    EXPECT_EQ(DecodeFailure(BmpHeaders(1, -Image::kMaxSide - 1, 24)), kBadBmp);
    EXPECT_EQ(DecodeFailure(BmpHeaders(1, INT32_MIN, 24)), kBadBmp);
    EXPECT_EQ(DecodeFailure(BmpHeaders(Image::kMaxSide, Image::kMaxSide, 24)), kBadBmp);
    // Within the limits but without the rows: refused before the picture is
    // allocated.
    EXPECT_EQ(DecodeFailure(BmpHeaders(16384, 16384, 24)), kBadBmp);
    EXPECT_EQ(DecodeFailure(BmpHeaders(16384, 16384, 1)), kBadBmp);
    EXPECT_THROW(DecodeBmp(BmpHeaders(64, 64, 8, 1), DecodeLimits{32, 1 << 20}), ErrorMessage);
}

TEST(BmpReader, RunLengthStreamsAreCutAtTheEdges)
{
    // 4 by 2, RLE8, two palette entries: a run of 9 pixels of index 1 on the
    // bottom row overflows its row and is cut; a delta jumps past the top.
    auto file = BmpHeaders(4, 2, 8, 1);
    file[10] = 54 + 8;
    for (std::uint8_t b : {0, 0, 0, 0, 255, 255, 255, 0}) {
        file.push_back(b);
    }
    for (std::uint8_t b : {9, 1, 0, 0, 1, 1, 0, 2, 0, 5, 2, 1, 0, 1}) {
        file.push_back(b);
    }
    const Image image = DecodeBmp(file);
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(image.Pixel(x, 1)[0], 255) << x;
    }
    EXPECT_EQ(image.Pixel(0, 0)[0], 255);
    EXPECT_EQ(image.Pixel(1, 0)[0], 0);
}

// An RLE8 file with a colour table of black, white and red.
std::vector<std::uint8_t> Rle8File(std::int32_t width, std::int32_t height,
                                   const std::vector<std::uint8_t>& stream)
{
    auto file = BmpHeaders(width, height, 8, 1);
    file[10] = 54 + 12;
    file.insert(file.end(), {0, 0, 0, 0, 255, 255, 255, 0, 0, 0, 255, 0});
    file.insert(file.end(), stream.begin(), stream.end());
    return file;
}

TEST(BmpReader, LongRunsInASmallPictureAreClippedToTheRow)
{
    // 5 by 2: a megabyte of 255-pixel white runs on the bottom row, then an
    // absolute run of 7 red pixels on the top row, which overflows too.
    std::vector<std::uint8_t> stream;
    for (int i = 0; i < 500'000; ++i) {
        stream.insert(stream.end(), {255, 1});
    }
    stream.insert(stream.end(), {0, 0, 0, 7, 2, 2, 2, 2, 2, 2, 2, 0, 0, 1});
    const Image image = DecodeBmp(Rle8File(5, 2, stream));
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(image.Pixel(x, 1)[1], 255) << x;
        EXPECT_EQ(image.Pixel(x, 0)[2], 255) << x;
        EXPECT_EQ(image.Pixel(x, 0)[1], 0) << x;
    }
}

TEST(BmpReader, RunLengthStreamsMustBeAbleToFillLargePictures)
{
    // A stream gives at most 255 pixels per two bytes; pixels it skips stay
    // black, which only pictures up to FreePixels may rely on.
    const std::vector<std::uint8_t> endOfBitmap = {0, 1};
    const Image blank = DecodeBmp(Rle8File(64, 64, endOfBitmap));
    EXPECT_TRUE(blank == Image(64, 64));
    const DecodeLimits strict{4096, 1 << 20, 255};
    EXPECT_NO_THROW(DecodeBmp(Rle8File(255, 1, endOfBitmap), strict));
    EXPECT_THROW(DecodeBmp(Rle8File(256, 1, endOfBitmap), strict), ErrorMessage);
    EXPECT_NO_THROW(DecodeBmp(Rle8File(256, 1, {128, 1, 0, 1}), strict));
}

}  // namespace
}  // namespace qm
