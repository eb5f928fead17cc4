// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cstdio>

#include "ColourDifference.h"
#include "TestFiles.h"
#include "imageio/ImageFiles.h"
#include "imageio/JpegWriter.h"
#include "imageio/PngWriter.h"
#include "imageio/TiffWriter.h"
#include "imageio/colour/ProfileBytes.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

const std::string kUnreadable = "色プロファイルを読めないため、変換しません";

DecodedPicture Converted(const std::string& name, ColourHandling colour = ColourHandling::ToSrgb)
{
    return test::Decoded("formats/" + name, test::WithColour(colour));
}

Image Raw(const std::string& name)
{
    return test::Decoded("formats/" + name).Picture;
}

void Write(const test::TempFolder& folder, const std::string& name,
           const std::vector<std::uint8_t>& bytes)
{
    folder.Write(name, std::string(bytes.begin(), bytes.end()));
}

// make-fixtures.sh converts one piece of the sample picture from sRGB into
// each profile with tificc and embeds it; tificc's conversion of that file
// back to sRGB is the reference.
TEST(ColourConversion, FiveProfilesAgreeWithLcms2sOwnConversion)
{
    for (const char* profile :
         {"DisplayP3", "AdobeRGB-compatible", "ProPhoto", "Grey-gamma18", "Press-CMYK"}) {
        SCOPED_TRACE(profile);
        const DecodedPicture picture = Converted(std::string(profile) + ".tif");
        const Image reference = Raw(std::string(profile) + "-srgb.tif");
        EXPECT_TRUE(picture.ColourConverted);
        EXPECT_EQ(picture.ProfileSha256.size(), 64u);
        EXPECT_NE(picture.ProfileDescription.find("Quillmore fixture"), std::string::npos);
        const test::ColourDifference difference = test::CompareColours(picture.Picture, reference);
        std::printf("%-20s CIEDE2000 mean %.3f, 99th percentile %.3f\n", profile, difference.Mean,
                    difference.Percentile99);
        EXPECT_LT(difference.Mean, 1.0);
        EXPECT_LT(difference.Percentile99, 2.0);
    }
    // Without the conversion the colours are far off.
    EXPECT_GT(test::CompareColours(Raw("ProPhoto.tif"), Raw("ProPhoto-srgb.tif")).Mean, 5.0);
}

// The same Display P3 colours in every carrier of a profile, and the CMYK
// JPEG (Adobe's inverted ink) that jpgicc writes.
TEST(ColourConversion, EveryCarrierOfAProfile)
{
    const Image reference = Raw("small-p3-srgb.tif");
    for (const char* name : {"p3.jpg", "p3.png", "p3.webp", "p3.heic", "p3-nclx.avif"}) {
        SCOPED_TRACE(name);
        const DecodedPicture picture = Converted(name);
        EXPECT_TRUE(picture.ColourConverted);
        EXPECT_LT(test::CompareColours(picture.Picture, reference).Mean, 2.0);
    }
    const DecodedPicture cmyk = Converted("cmyk.jpg");
    EXPECT_TRUE(cmyk.ColourConverted);
    EXPECT_LT(test::CompareColours(cmyk.Picture, Raw("small-cmyk-srgb.tif")).Mean, 2.0);
}

TEST(ColourConversion, UntaggedAndSrgbTaggedPicturesStayExactlyAsDecoded)
{
    for (const char* name : {"bmpsuite/images/rgb24.bmp", "jpeg-bmp/testorig.jpg",
                             "pngsuite/basn2c08.png", "pngsuite/basn0g08.png", "formats/rgb-zip.tif"}) {
        SCOPED_TRACE(name);
        const DecodedPicture picture = test::Decoded(name, test::WithColour(ColourHandling::ToSrgb));
        EXPECT_FALSE(picture.ColourConverted);
        EXPECT_TRUE(picture.Warnings.empty());
        EXPECT_TRUE(picture.Picture == test::Decoded(name).Picture);
    }
    // Tagged as sRGB by the writers: lcms2's profile in JPEG, PNG and TIFF
    // files, and PNG's sRGB chunk.
    const test::TempFolder folder;
    const Image tile = test::Gradient(40, 30);
    const ColourTag srgb{true, {}};
    const ColourTag profile{false, colour::SrgbProfileBytes()};
    Write(folder, "a.jpg", EncodeJpeg(tile, 90, 0, srgb));
    Write(folder, "b.png", EncodePng(tile, kPngIdatSize, 0, srgb));
    Write(folder, "c.png", EncodePng(tile, kPngIdatSize, 0, profile));
    Write(folder, "d.tif", EncodeTiff(tile, 0, srgb));
    for (const char* name : {"a.jpg", "b.png", "c.png", "d.tif"}) {
        SCOPED_TRACE(name);
        const DecodedPicture picture =
            LoadPictureFile(folder / name, test::WithColour(ColourHandling::ToSrgb));
        EXPECT_FALSE(picture.ColourConverted);
        EXPECT_TRUE(picture.Picture == LoadImageFile(folder / name));
    }
    EXPECT_EQ(LoadPictureFile(folder / "c.png", test::WithColour(ColourHandling::ToSrgb)).ProfileSha256,
              LoadPictureFile(folder / "d.tif", test::WithColour(ColourHandling::ToSrgb)).ProfileSha256);
}

TEST(ColourConversion, AProfileThatCannotBeUsedIsIgnoredWithOneWarning)
{
    const test::TempFolder folder;
    const Image tile = test::Gradient(40, 30);
    const std::vector<std::uint8_t> grey = test::ReadFixture("formats/icc/Grey-gamma18.icc");
    Write(folder, "junk.jpg", EncodeJpeg(tile, 90, 0, ColourTag{false, std::vector<std::uint8_t>(300, 7)}));
    Write(folder, "grey-profile.jpg", EncodeJpeg(tile, 90, 0, ColourTag{false, grey}));
    for (const char* name : {"junk.jpg", "grey-profile.jpg"}) {
        SCOPED_TRACE(name);
        const DecodedPicture picture =
            LoadPictureFile(folder / name, test::WithColour(ColourHandling::ToSrgb));
        EXPECT_FALSE(picture.ColourConverted);
        EXPECT_EQ(picture.Warnings, std::vector<std::string>{kUnreadable});
        EXPECT_TRUE(picture.Picture == LoadImageFile(folder / name));
    }
}

TEST(ColourConversion, KeepingTheProfileLeavesOnlyRgbPicturesUnconverted)
{
    const DecodedPicture kept = Converted("p3.png", ColourHandling::KeepRgbProfile);
    EXPECT_FALSE(kept.ColourConverted);
    EXPECT_TRUE(kept.Picture == Raw("p3.png"));
    EXPECT_EQ(kept.KeptProfile, test::ReadFixture("formats/icc/DisplayP3.icc"));
    EXPECT_FALSE(Converted("p3-nclx.avif", ColourHandling::KeepRgbProfile).KeptProfile.empty());
    for (const char* name : {"Press-CMYK.tif", "Grey-gamma18.tif"}) {
        SCOPED_TRACE(name);
        const DecodedPicture picture = Converted(name, ColourHandling::KeepRgbProfile);
        EXPECT_TRUE(picture.KeptProfile.empty());
        EXPECT_TRUE(picture.Picture == Converted(name).Picture);
    }
}

TEST(ColourConversion, HdrPicturesAreShownAsTheyAreWithOneWarning)
{
    const DecodedPicture picture = Converted("pq.avif");
    EXPECT_EQ(picture.Warnings,
              std::vector<std::string>{"HDR の画像 (PQ または HLG) をトーンマッピングせずに表示します"});
}

}  // namespace
}  // namespace qm
