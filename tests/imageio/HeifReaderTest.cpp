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

// heif-enc's HEIC (x265) and AVIF (aom) files of small.png.
TEST(HeifReader, HeicAndAvif)
{
    const Image small = Read("small.png");
    for (const char* name : {"small.heic", "small.avif"}) {
        SCOPED_TRACE(name);
        const Image picture = Read(name);
        ASSERT_EQ(picture.Width(), small.Width());
        ASSERT_EQ(picture.Height(), small.Height());
        EXPECT_LT(test::CompareColours(picture, small).Mean, 2.0);
    }
}

}  // namespace
}  // namespace qm
