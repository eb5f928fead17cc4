// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zlib.h>

#include <fstream>

#include "imageio/ImageFiles.h"
#include "imageio/JpegWriter.h"
#include "imageio/PngWriter.h"
#include "TestFiles.h"
#include "support/Noise.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A big-endian TIFF block whose first directory holds one entry: the
// orientation as a SHORT, or with the given type.
Bytes TiffBlock(int orientation, int type = 3)
{
    return {'M', 'M', 0, 42, 0, 0, 0, 8,  // header, directory at 8
            0, 1,                         // one entry
            0x01, 0x12, 0, static_cast<std::uint8_t>(type), 0, 0, 0, 1,
            0, static_cast<std::uint8_t>(orientation), 0, 0,
            0, 0, 0, 0};  // no next directory
}

Bytes WithApp1(Bytes jpeg, const Bytes& tiff)
{
    Bytes app1 = {0xff, 0xe1, 0, 0, 'E', 'x', 'i', 'f', 0, 0};
    app1.insert(app1.end(), tiff.begin(), tiff.end());
    app1[2] = static_cast<std::uint8_t>((app1.size() - 2) >> 8);
    app1[3] = static_cast<std::uint8_t>(app1.size() - 2);
    // After the JFIF block, where cameras put it.
    const std::size_t at = jpeg[3] == 0xe0 ? 4 + (std::size_t{jpeg[4]} << 8 | jpeg[5]) : 2;
    jpeg.insert(jpeg.begin() + static_cast<std::ptrdiff_t>(at), app1.begin(), app1.end());
    return jpeg;
}

Bytes WithExifChunk(Bytes png, const Bytes& tiff)
{
    Bytes chunk = {0, 0, 0, static_cast<std::uint8_t>(tiff.size()), 'e', 'X', 'I', 'f'};
    chunk.insert(chunk.end(), tiff.begin(), tiff.end());
    const uLong crc = crc32(crc32(0, nullptr, 0), chunk.data() + 4, static_cast<uInt>(chunk.size() - 4));
    for (int shift = 24; shift >= 0; shift -= 8) {
        chunk.push_back(static_cast<std::uint8_t>(crc >> shift));
    }
    png.insert(png.begin() + 33, chunk.begin(), chunk.end());  // after IHDR
    return png;
}

std::string Written(const test::TempFolder& folder, const std::string& name, const Bytes& bytes)
{
    std::ofstream(folder / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return folder / name;
}

Image Transposed(const Image& in)
{
    Image out(in.Height(), in.Width());
    for (int y = 0; y < out.Height(); ++y) {
        for (int x = 0; x < out.Width(); ++x) {
            std::copy_n(in.Pixel(y, x), 3, out.Pixel(x, y));
        }
    }
    return out;
}

Image Flipped(const Image& in, bool acrossX, bool acrossY)
{
    Image out(in.Width(), in.Height());
    for (int y = 0; y < out.Height(); ++y) {
        for (int x = 0; x < out.Width(); ++x) {
            std::copy_n(in.Pixel(acrossX ? in.Width() - 1 - x : x, acrossY ? in.Height() - 1 - y : y),
                        3, out.Pixel(x, y));
        }
    }
    return out;
}

// The stored picture as a viewer shows it for each tag value: 5 to 8 are
// the transposed picture mirrored as 1 to 4 mirror the stored one (6, a
// quarter turn clockwise, is the transpose mirrored left to right).
Image AsShown(const Image& stored, int orientation)
{
    const bool sideways = orientation >= 5;
    const Image base = sideways ? Transposed(stored) : stored;
    const int kind = sideways ? orientation - 4 : orientation;
    const bool mirrorX = kind == 2 || kind == 3;
    const bool mirrorY = kind == 3 || kind == 4;
    return Flipped(base, mirrorX, mirrorY);
}

TEST(Orientation, JpegTurnedForEveryTagValue)
{
    test::TempFolder folder;
    const Bytes plain = EncodeJpeg(test::Noise(16, 8), 95);
    const Image stored = LoadImageFile(Written(folder, "plain.jpg", plain));
    for (int orientation = 1; orientation <= 8; ++orientation) {
        SCOPED_TRACE(orientation);
        const std::string tagged = Written(folder, "tagged.jpg", WithApp1(plain, TiffBlock(orientation)));
        EXPECT_EQ(LoadImageFile(tagged, true), AsShown(stored, orientation));
        EXPECT_EQ(LoadImageAnyFormat(tagged, true), AsShown(stored, orientation));
        EXPECT_EQ(LoadImageFile(tagged), stored);
    }
}

TEST(Orientation, PngExifChunkAndDamagedTagsIgnored)
{
    test::TempFolder folder;
    const Image picture = test::Noise(6, 4);
    const Bytes png = EncodePng(picture);
    EXPECT_EQ(LoadImageFile(Written(folder, "a.png", WithExifChunk(png, TiffBlock(6))), true),
              AsShown(picture, 6));

    Bytes truncated = TiffBlock(6);
    truncated.resize(14);
    const Bytes plain = EncodeJpeg(test::Noise(16, 8), 95);
    const Image stored = LoadImageFile(Written(folder, "plain.jpg", plain));
    for (const Bytes& damaged : {truncated, TiffBlock(9), TiffBlock(0), TiffBlock(6, 4)}) {
        EXPECT_EQ(LoadImageFile(Written(folder, "bad.jpg", WithApp1(plain, damaged)), true), stored);
        EXPECT_EQ(LoadImageFile(Written(folder, "bad.png", WithExifChunk(png, damaged)), true), picture);
    }
}

TEST(Orientation, JpegExifAfterACommentOrAnyOtherSegment)
{
    test::TempFolder folder;
    const Bytes plain = EncodeJpeg(test::Noise(16, 8), 95);
    const Image stored = LoadImageFile(Written(folder, "plain.jpg", plain));
    // A comment, then an XMP block in APP1, both before the Exif block.
    const Bytes comment = {0xff, 0xfe, 0, 7, 'h', 'e', 'l', 'l', 'o'};
    const Bytes xmp = {0xff, 0xe1, 0, 8, 'h', 't', 't', 'p', ':', '/'};
    Bytes tagged = WithApp1(plain, TiffBlock(6));
    tagged.insert(tagged.begin() + 2, xmp.begin(), xmp.end());
    tagged.insert(tagged.begin() + 2, comment.begin(), comment.end());
    EXPECT_EQ(LoadImageFile(Written(folder, "tagged.jpg", tagged), true), AsShown(stored, 6));
}

// make-fixtures.sh: webpmux's EXIF chunk and tiffset's orientation tag say
// 6 on small.png; the HEIF file is turned a quarter anticlockwise by its
// irot property while its Exif block says 6, which is not used.
TEST(Orientation, WebpTiffAndHeifCarriers)
{
    const Image small = LoadImageFile(test::Fixture("formats/small.png").string());
    for (const char* name : {"formats/oriented.webp", "formats/oriented.tif"}) {
        SCOPED_TRACE(name);
        const std::string path = test::Fixture(name).string();
        EXPECT_EQ(LoadImageFile(path, true), AsShown(small, 6));
        EXPECT_EQ(LoadImageAnyFormat(path, true), AsShown(small, 6));
        EXPECT_EQ(LoadImageFile(path), small);
    }
    const std::string heif = test::Fixture("formats/oriented.heic").string();
    const Image turned = LoadImageFile(heif, true);
    const Image stored = LoadImageFile(heif);
    EXPECT_EQ(stored.Width(), small.Width());
    EXPECT_EQ(turned, AsShown(stored, 8));
}

}  // namespace
}  // namespace qm
