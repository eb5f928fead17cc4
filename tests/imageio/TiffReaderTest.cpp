// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "ColourDifference.h"
#include "TestFiles.h"
#include "imageio/ImageFiles.h"

namespace qm {
namespace {

Image Read(const std::string& name)
{
    return LoadImageFile(test::Fixture("formats/" + name).string());
}

// tests/fixtures/formats/make-fixtures.sh makes every file from one piece
// of the sample picture (small.png) with libtiff's tools.
TEST(TiffReader, EveryLayoutCompressionAndModel)
{
    const Image small = Read("small.png");
    for (const char* name : {"rgb-none.tif", "rgb-lzw.tif", "rgb-zip.tif", "rgb-packbits.tif",
                             "rgb-tiled-planes.tif"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(Read(name) == small);
    }
    EXPECT_LT(test::CompareColours(Read("rgb-jpeg.tif"), small).Mean, 2.0);

    // libtiff's own RGBA reading (tiff2rgba) of grey, palette and CMYK
    // pictures, whose plain CMYK formula is the program's.
    for (const char* name : {"grey", "palette", "cmyk-untagged"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(Read(std::string(name) + ".tif") == Read(std::string(name) + "-rgba.tif"));
    }

    // 16-bit samples rounded to 8 bits, not cut to their high byte.
    const Image wide = Read("grey16.tif");
    const std::uint8_t expected[] = {0, 0, 1, 127, 128, 255};
    ASSERT_EQ(wide.Width(), 6);
    for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(wide.Pixel(x, 0)[1], expected[x]) << x;
    }
}

}  // namespace
}  // namespace qm
