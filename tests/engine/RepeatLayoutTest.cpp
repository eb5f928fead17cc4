// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <functional>

#include "PieceImages.h"
#include "engine/RepeatLayout.h"

namespace qm {
namespace {

int Wrap(int i, int n) { return ((i % n) + n) % n; }

// Each layout's repeat holds what its definition says, and, laid edge to
// edge as a printer lays it, shows the plane of that layout: whole tiles
// dropped or shifted by half a tile at every step, or mirrored at every
// edge. An odd tile checks the halves rounded down within one repeat; the
// plane of a half step needs an even side.
TEST(RepeatLayout, EveryLayoutHoldsItsDefinitionAndRepeatsSeamlessly)
{
    for (const auto& [w, h] : {std::pair{7, 5}, std::pair{6, 4}}) {
        const Image tile = test::RandomPiece(w, h, static_cast<std::uint32_t>(w));
        const auto at = [&](int x, int y) { return test::Colour(tile, Wrap(x, w), Wrap(y, h)); };
        // The layout's plane at (x, y): which tile pixel a printer lays there.
        const std::function<std::uint32_t(int, int)> planes[] = {
            [&](int x, int y) { return at(x, y); },
            [&](int x, int y) { return at(x, y - (x / w) * (h / 2)); },
            [&](int x, int y) { return at(x - (y / h) * (w / 2), y); },
            [&](int x, int y) {
                const int fx = Wrap(x, 2 * w), fy = Wrap(y, 2 * h);
                return at(fx < w ? fx : 2 * w - 1 - fx, fy < h ? fy : 2 * h - 1 - fy);
            },
        };
        const int sizes[][2] = {{w, h}, {2 * w, h}, {w, 2 * h}, {2 * w, 2 * h}};
        ASSERT_EQ(RepeatLayouts().size(), std::size(planes));
        for (std::size_t n = 0; n < RepeatLayouts().size(); ++n) {
            const RepeatLayoutInfo& layout = RepeatLayouts()[n];
            SCOPED_TRACE(testing::Message() << layout.cliName << " " << w << " x " << h);
            EXPECT_EQ(RepeatLayoutNamed(layout.cliName), &layout);
            EXPECT_EQ(RepeatLayoutNamed(layout.itemText), &layout);
            const Image out = LayOutRepeat(tile, layout.layout);
            ASSERT_EQ(out.Width(), sizes[n][0]);
            ASSERT_EQ(out.Height(), sizes[n][1]);
            const int reach = w % 2 == 0 ? 3 : 1;
            for (int y = 0; y < reach * out.Height(); ++y) {
                for (int x = 0; x < reach * out.Width(); ++x) {
                    ASSERT_EQ(test::Colour(out, x % out.Width(), y % out.Height()), planes[n](x, y))
                        << x << "," << y;
                }
            }
        }
    }
    EXPECT_EQ(RepeatLayoutNamed("drop"), nullptr);
}

}  // namespace
}  // namespace qm
