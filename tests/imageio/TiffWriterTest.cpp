// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "imageio/TiffReader.h"
#include "imageio/TiffStream.h"
#include "imageio/TiffWriter.h"
#include "imageio/colour/ProfileBytes.h"

namespace qm {
namespace {

struct Fields {
    std::uint16_t Compression = 0, Bits = 0, Samples = 0, Photometric = 0, Unit = 0;
    float X = 0, Y = 0;
    std::vector<std::uint8_t> Profile;
};

Fields FieldsOf(const std::vector<std::uint8_t>& file)
{
    TiffStream stream(file);
    const TiffHandle tiff(stream.Open("r", 1 << 30));
    Fields fields;
    EXPECT_TRUE(tiff);
    if (!tiff) {
        return fields;
    }
    TIFFGetField(tiff.get(), TIFFTAG_COMPRESSION, &fields.Compression);
    TIFFGetField(tiff.get(), TIFFTAG_BITSPERSAMPLE, &fields.Bits);
    TIFFGetField(tiff.get(), TIFFTAG_SAMPLESPERPIXEL, &fields.Samples);
    TIFFGetField(tiff.get(), TIFFTAG_PHOTOMETRIC, &fields.Photometric);
    TIFFGetField(tiff.get(), TIFFTAG_RESOLUTIONUNIT, &fields.Unit);
    TIFFGetField(tiff.get(), TIFFTAG_XRESOLUTION, &fields.X);
    TIFFGetField(tiff.get(), TIFFTAG_YRESOLUTION, &fields.Y);
    std::uint32_t size = 0;
    void* data = nullptr;
    if (TIFFGetField(tiff.get(), TIFFTAG_ICCPROFILE, &size, &data)) {
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        fields.Profile.assign(bytes, bytes + size);
    }
    return fields;
}

TEST(TiffWriter, DeflatedRgbWithTheResolutionAndTheProfileAskedFor)
{
    const Image tile = test::Gradient(67, 45);
    const std::vector<std::uint8_t> plain = EncodeTiff(tile);
    EXPECT_TRUE(DecodeTiffSource(plain, {}).Picture == tile);
    const Fields fields = FieldsOf(plain);
    EXPECT_EQ(fields.Compression, COMPRESSION_ADOBE_DEFLATE);
    EXPECT_EQ(fields.Bits, 8);
    EXPECT_EQ(fields.Samples, 3);
    EXPECT_EQ(fields.Photometric, PHOTOMETRIC_RGB);
    EXPECT_EQ(fields.Unit, RESUNIT_NONE);
    EXPECT_EQ(fields.X, 1.0f);
    EXPECT_EQ(fields.Y, 1.0f);
    EXPECT_TRUE(fields.Profile.empty());

    const Fields tagged = FieldsOf(EncodeTiff(tile, 300, ColourTag{true, {}}));
    EXPECT_EQ(tagged.Unit, RESUNIT_INCH);
    EXPECT_EQ(tagged.X, 300.0f);
    EXPECT_EQ(tagged.Y, 300.0f);
    EXPECT_EQ(tagged.Profile, colour::SrgbProfileBytes());
    const std::vector<std::uint8_t> own = test::ReadFixture("formats/icc/ProPhoto.icc");
    EXPECT_EQ(FieldsOf(EncodeTiff(tile, 0, ColourTag{false, own})).Profile, own);
    // The same tile gives the same file.
    EXPECT_EQ(EncodeTiff(tile, 300, ColourTag{true, {}}), EncodeTiff(tile, 300, ColourTag{true, {}}));
}

}  // namespace
}  // namespace qm
