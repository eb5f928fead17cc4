// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "PluginTestSupport.h"

namespace qm {
namespace {

using test::CodedPiece;
using test::PluginMaker;

// The samples answer within the limits for every cut size a run can have.
TEST(SamplePlugins, PrepareForEveryEvenCutSize)
{
    for (const char* path : {QM_SAMPLE_PLUGIN_HEXAGON_KALEIDOSCOPE, QM_SAMPLE_PLUGIN_PINWHEEL}) {
        std::vector<TPoint> sizes{{32, 256}, {256, 32}, {100, 60}, {60, 100}};
        for (int side = 32; side <= 256; side += 2) {
            sizes.push_back({side, side});
        }
        for (const TPoint size : sizes) {
            auto maker = PluginMaker(path);
            ASSERT_TRUE(maker->Prepare(size, false))
                << path << " " << size.X << "x" << size.Y << ": " << maker->ErrorCode() << " "
                << maker->ErrorText();
        }
    }
}

// The pinwheel turns by quarter turns about the tile centre but is no
// mirror image of itself.
TEST(SamplePlugins, PinwheelTurnsWithoutMirrors)
{
    auto maker = PluginMaker(QM_SAMPLE_PLUGIN_PINWHEEL);
    ASSERT_TRUE(maker->Prepare({64, 64}, false));
    ASSERT_TRUE(maker->Make(CodedPiece(64, 64)));
    const Image& tile = maker->ResultImage();
    ASSERT_EQ(tile.Width(), 128);
    ASSERT_EQ(tile.Height(), 128);

    // A quarter turn about the centre moves cell (i, j) to (n - j, i),
    // counted modulo the tile side n since the tile repeats; in image rows
    // from the top, pixel (x, y) goes to (y + 1, n - 1 - x).
    const int n = 128;
    int turned = 0;
    int mirrored = 0;
    for (int x = 0; x < n; ++x) {
        for (int y = 0; y < n; ++y) {
            const std::uint8_t* pixel = tile.Pixel(x, y);
            const std::uint8_t* turn = tile.Pixel((y + 1) % n, n - 1 - x);
            const std::uint8_t* mirror = tile.Pixel((n - x) % n, y);
            turned += std::equal(pixel, pixel + 3, turn);
            mirrored += std::equal(pixel, pixel + 3, mirror);
        }
    }
    EXPECT_GT(turned, n * n * 99 / 100);
    EXPECT_LT(mirrored, n * n / 2);
}

}  // namespace
}  // namespace qm
