// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "TestFiles.h"
#include "imageio/ImageFiles.h"

namespace qm {
namespace {

// The oracle: a PNG read as RGBA by libpng's simplified reader, each pixel
// laid on background by value * a + background * (1 - a), rounded.
Image LaidOn(const std::string& fixture, Rgb background)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    const std::string path = test::Fixture(fixture).string();
    EXPECT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
    image.format = PNG_FORMAT_RGBA;
    std::vector<png_byte> rgba(PNG_IMAGE_SIZE(image));
    EXPECT_TRUE(png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr));
    Image out(static_cast<int>(image.width), static_cast<int>(image.height));
    const double back[3] = {double(background.Blue), double(background.Green), double(background.Red)};
    for (int y = 0; y < out.Height(); ++y) {
        for (int x = 0; x < out.Width(); ++x) {
            const png_byte* in = &rgba[4 * (static_cast<std::size_t>(y) * image.width + x)];
            const double a = in[3] / 255.0;
            for (int c = 0; c < 3; ++c) {
                out.Pixel(x, y)[c] =
                    static_cast<std::uint8_t>(std::nearbyint(in[2 - c] * a + back[c] * (1 - a)));
            }
        }
    }
    return out;
}

DecodeOptions On(Rgb background)
{
    DecodeOptions options;
    options.Background = background;
    return options;
}

TEST(Alpha, LaidOnWhiteOrOnTheBackgroundGiven)
{
    const Rgb white{255, 255, 255};
    const Rgb green{10, 200, 30};
    // dwebp's PNG and TIFF (unassociated alpha) of a lossless WebP picture
    // with graded alpha.
    const std::string source = "formats/alpha.png";
    for (const char* copy : {"formats/alpha.webp", "formats/alpha.tif"}) {
        SCOPED_TRACE(copy);
        EXPECT_TRUE(test::Decoded(copy).Picture == LaidOn(source, white));
        EXPECT_TRUE(test::Decoded(copy, On(green)).Picture == LaidOn(source, green));
    }
    // PNG and BMP only with a background; without one they drop alpha.
    EXPECT_TRUE(test::Decoded(source, On(green)).Picture == LaidOn(source, green));
    EXPECT_TRUE(test::Decoded("bmpsuite/images/rgba32.bmp", On(green)).Picture ==
                LaidOn("bmpsuite/reference/rgba32.bmp.png", green));
    EXPECT_FALSE(test::Decoded(source).Picture == LaidOn(source, white));
    // heif-enc's lossless coding of the colours in YCbCr is close, not exact.
    const Image heif = test::Decoded("formats/alpha.heic").Picture;
    const Image expected = LaidOn(source, white);
    int worst = 0;
    for (std::size_t i = 0; i < heif.RowBytes() * heif.Height(); ++i) {
        worst = std::max(worst, std::abs(int{heif.Row(0)[i]} - int{expected.Row(0)[i]}));
    }
    EXPECT_LE(worst, 8);
}

}  // namespace
}  // namespace qm
