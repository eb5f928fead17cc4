// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "PngByFormula.h"
#include "TestFiles.h"
#include "core/Errors.h"
#include "imageio/ByteOrder.h"
#include "imageio/PngReader.h"

#include <zlib.h>

namespace qm {
namespace {

using test::FixtureFiles;
using test::ReadBytes;

// Decodes or returns the message it failed with.
std::string DecodeFailure(const std::vector<std::uint8_t>& bytes)
{
    try {
        DecodePng(bytes);
    } catch (const ErrorMessage& error) {
        return error.what();
    }
    return {};
}

void AppendChunk(std::vector<std::uint8_t>& out, const char* name,
                 const std::vector<std::uint8_t>& data)
{
    AppendBe32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), name, name + 4);
    out.insert(out.end(), data.begin(), data.end());
    AppendBe32(out, static_cast<std::uint32_t>(
                        crc32(0, out.data() + start, static_cast<uInt>(out.size() - start))));
}

// The signature and the header of a grey 8-bit file.
std::vector<std::uint8_t> GreyPngStart(std::uint32_t width, std::uint32_t height)
{
    std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    AppendBe32(header, width);
    AppendBe32(header, height);
    header.insert(header.end(), {8, 0, 0, 0, 0});
    AppendChunk(out, "IHDR", header);
    return out;
}

// A grey 8-bit file of the claimed size whose image data holds one row.
std::vector<std::uint8_t> PngClaiming(std::uint32_t width, std::uint32_t height)
{
    std::vector<std::uint8_t> out = GreyPngStart(width, height);
    std::vector<std::uint8_t> row(1 + width % 1024, 0);
    std::vector<std::uint8_t> data(compressBound(static_cast<uLong>(row.size())));
    uLongf size = static_cast<uLongf>(data.size());
    compress(data.data(), &size, row.data(), static_cast<uLong>(row.size()));
    data.resize(size);
    AppendChunk(out, "IDAT", data);
    AppendChunk(out, "IEND", {});
    return out;
}

TEST(PngReader, SuiteFilesGiveTheColoursOfTheirSamples)
{
    auto files = FixtureFiles("pngsuite", ".png");
    const auto more = FixtureFiles("pngsuite-interlaced", ".png");
    files.insert(files.end(), more.begin(), more.end());
    ASSERT_GE(files.size(), 60u);
    for (const auto& file : files) {
        SCOPED_TRACE(file.filename().string());
        if (file.filename().string()[0] == 'x') {  // the suite's deliberately broken files
            EXPECT_NE(DecodeFailure(ReadBytes(file)), "");
            continue;
        }
        const Image expected = test::DecodePngByFormula(file);
        ASSERT_FALSE(expected.Empty());
        const Image decoded = DecodePng(ReadBytes(file));
        EXPECT_EQ(decoded.Width(), expected.Width());
        EXPECT_EQ(decoded.Height(), expected.Height());
        EXPECT_TRUE(decoded == expected);
    }
}

TEST(PngReader, InterlacedTwinsGiveTheSamePixels)
{
    int twins = 0;
    for (const char* folder : {"pngsuite", "pngsuite-interlaced"}) {
        for (const auto& interlaced : FixtureFiles(folder, ".png")) {
            const std::string name = interlaced.filename().string();
            if (name[0] != 'i') {
                continue;
            }
            SCOPED_TRACE(name);
            const auto plain = test::Fixture("pngsuite/" + name.substr(1));
            ASSERT_TRUE(std::filesystem::exists(plain));
            EXPECT_TRUE(DecodePng(ReadBytes(interlaced)) == DecodePng(ReadBytes(plain)));
            ++twins;
        }
    }
    EXPECT_GE(twins, 30);
}

TEST(PngReader, LowBitGreyIsScaledToTheFullRange)
{
    // basn0g01: 1-bit grey gives only black and white.
    const Image grey = DecodePng(test::ReadFixture("pngsuite/basn0g01.png"));
    for (std::uint8_t value : grey.Bytes()) {
        EXPECT_TRUE(value == 0 || value == 255);
    }
    // basn0g04: 4-bit grey gives multiples of 17, the same in all channels.
    const Image grey4 = DecodePng(test::ReadFixture("pngsuite/basn0g04.png"));
    for (int x = 0; x < grey4.Width(); ++x) {
        const std::uint8_t* p = grey4.Pixel(x, 5);
        EXPECT_EQ(p[0] % 17, 0);
        EXPECT_EQ(p[0], p[1]);
        EXPECT_EQ(p[1], p[2]);
    }
}

TEST(PngReader, DamagedFilesDecodeOrFailWithAMessage)
{
    int failed = 0;
    for (const auto& file : FixtureFiles("png-corrupt", ".png")) {
        SCOPED_TRACE(file.filename().string());
        const std::string message = DecodeFailure(ReadBytes(file));
        if (!message.empty()) {
            EXPECT_EQ(message.rfind("PNG エラー: ", 0), 0u) << message;
            EXPECT_GT(message.size(), std::string("PNG エラー: ").size());
            ++failed;
        }
    }
    EXPECT_GT(failed, 0);
}

TEST(PngReader, CutAndEmptyFilesFail)
{
    const auto whole = test::ReadFixture("pngsuite/basn2c08.png");
    for (std::size_t size : {std::size_t{0}, std::size_t{8}, std::size_t{30}, whole.size() / 2,
                             whole.size() - 13}) {
        SCOPED_TRACE(size);
        const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + size);
        EXPECT_NE(DecodeFailure(cut), "");
    }
    EXPECT_EQ(DecodeFailure(test::ReadFixture("jpeg-bmp/testorig.jpg")).rfind("PNG エラー: ", 0),
              0u);
}

TEST(PngReader, HugeClaimedSizesFailBeforeAllocating)
{
    EXPECT_EQ(DecodePng(PngClaiming(300, 1)).Width(), 300);
    EXPECT_EQ(DecodeFailure(PngClaiming(Image::kMaxSide + 1, 1)),
              "PNG エラー: Invalid IHDR data");
    EXPECT_EQ(DecodeFailure(PngClaiming(1, 0x7FFFFFFF)), "PNG エラー: Invalid IHDR data");
    EXPECT_EQ(DecodeFailure(PngClaiming(Image::kMaxSide, Image::kMaxSide)),
              "PNG エラー: Image exceeds the size limit");
    EXPECT_EQ(DecodeFailure(PngClaiming(100, 100)), "PNG エラー: Not enough image data");
}

TEST(PngReader, DataThatCannotInflateToAllRowsIsRefusedUpFront)
{
    // Deflate expands at most about 1032:1: a flat 8000 x 6000 grey picture
    // is about 47 KB at zlib's best, and must decode; the same data cannot
    // fill 6100 rows.
    const std::uint32_t width = 8000;
    const std::vector<std::uint8_t> raw(std::size_t{6000} * (width + 1), 0);
    std::vector<std::uint8_t> data(compressBound(static_cast<uLong>(raw.size())));
    uLongf size = static_cast<uLongf>(data.size());
    compress2(data.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9);
    data.resize(size);
    ASSERT_LT(size, 48'000u);
    auto file = [&](std::uint32_t height) {
        std::vector<std::uint8_t> out = GreyPngStart(width, height);
        AppendChunk(out, "IDAT", data);
        AppendChunk(out, "IEND", {});
        return out;
    };
    const Image flat = DecodePng(file(6000));
    EXPECT_EQ(flat.Height(), 6000);
    EXPECT_EQ(flat.Pixel(7999, 5999)[0], 0);
    EXPECT_EQ(DecodeFailure(file(6100)), "PNG エラー: Not enough image data");
}

TEST(PngReader, SmallerLimitsRefuseLargerPictures)
{
    const auto bytes = test::ReadFixture("pngsuite/basn2c08.png");
    EXPECT_THROW(DecodePng(bytes, DecodeLimits{16, 1 << 20}), ErrorMessage);
    EXPECT_THROW(DecodePng(bytes, DecodeLimits{64, 1000}), ErrorMessage);
    EXPECT_NO_THROW(DecodePng(bytes, DecodeLimits{32, 1024}));
}

}  // namespace
}  // namespace qm
