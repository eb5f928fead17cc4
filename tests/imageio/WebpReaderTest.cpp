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

// cwebp's lossless and lossy files of small.png, and img2webp's animation
// of it followed by another picture.
TEST(WebpReader, LossyLosslessAndTheFirstFrameOfAnAnimation)
{
    const Image small = Read("small.png");
    EXPECT_TRUE(Read("lossless.webp") == small);
    EXPECT_TRUE(Read("animated.webp") == small);
    const Image lossy = Read("lossy.webp");
    ASSERT_EQ(lossy.Width(), small.Width());
    ASSERT_EQ(lossy.Height(), small.Height());
    EXPECT_LT(test::CompareColours(lossy, small).Mean, 2.0);
}

}  // namespace
}  // namespace qm
