// SPDX-License-Identifier: MIT
// Smooth edges: tiles of a finer cut reduced onto the plain tile's size.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "app/run/FitPicture.h"
#include "app/run/SmoothTile.h"
#include "effects/RepeatResample.h"
#include "engine/MethodCatalogue.h"
#include "support/Noise.h"
#include "support/SharpDrawing.h"

namespace qm {
namespace {

constexpr int kCut = 256;

Image PlainTile(std::uint8_t method, const Image& picture, int cut)
{
    auto maker = CreateBuiltinMaker(method, MakerSettings{7});
    maker->LargeCuts = true;
    Image piece(cut, cut);
    piece.CopyRect(0, 0, picture, Rect{0, 0, cut, cut});
    EXPECT_TRUE(maker->Prepare({cut, cut}, false) && maker->Make(piece));
    return maker->ResultImage();
}

// Whether the tile is symmetric about the mirror lines its maker anchors
// through the centres of its first column or row.
bool KeepsItsMirrors(const Image& tile, TileAnchor anchor)
{
    const int w = tile.Width();
    const int h = tile.Height();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::uint8_t* p = tile.Pixel(x, y);
            if ((anchor.HalfX == 1 && !std::equal(p, p + 3, tile.Pixel((w - x) % w, y))) ||
                (anchor.HalfY == 1 && !std::equal(p, p + 3, tile.Pixel(x, (h - y) % h)))) {
                return false;
            }
        }
    }
    return true;
}

// The drawing drawn at 1024 pixels and cut at 256 after fitting at 100 %,
// against the same method's tile of the drawing drawn at 2048 with a cut of
// 2048, reduced onto the tile's size: smoothing by 3 takes at least 60 %
// off the mean error, by 4 at least 75 %, keeps the tile's size, its
// mirror lines and its seamless edges.
TEST(SmoothEdges, BringTurnedAndMirroredPartsCloseToAFinerTile)
{
    const Image drawing = test::SharpDrawing(1024);
    const Image finer = test::SharpDrawing(2048);
    const FittedPicture fitted = FitPicture(drawing, kCut, 100);
    ASSERT_EQ(fitted.Picture.Width(), kCut);
    for (const std::uint8_t method : {std::uint8_t{1}, kDistortedSquareCode}) {
        SCOPED_TRACE(BuiltinMethod(method)->cliName);
        const Image plain = PlainTile(method, fitted.Picture, kCut);
        const TileAnchor anchor = CreateBuiltinMaker(method)->Anchor();
        const Image truth = ResampleRepeat(PlainTile(method, finer, 2048), plain.Width(),
                                           plain.Height(), anchor.HalfX, anchor.HalfY);
        const double plainError = test::MeanDifference(plain, truth);
        for (const auto& [factor, least] : {std::pair{3, 0.60}, std::pair{4, 0.75}}) {
            TSmoothTiles smooth(CreateBuiltinMaker(method, MakerSettings{7}), factor);
            ASSERT_TRUE(smooth.Prepare({kCut, kCut}, false));
            ASSERT_TRUE(smooth.Make(TFinePieces(drawing, {kCut, kCut}, factor, false), TileDraw{}));
            const Image& tile = smooth.Tile();
            ASSERT_EQ(tile.Width(), plain.Width());
            ASSERT_EQ(tile.Height(), plain.Height());
            EXPECT_GE(1 - test::MeanDifference(tile, truth) / plainError, least) << factor;
            EXPECT_TRUE(KeepsItsMirrors(tile, anchor)) << factor;
            EXPECT_LE(test::SeamStep(tile), test::SeamStep(plain)) << factor;
        }
    }
}

// The factor comes down to keep the fine cut within 4096 pixels, said once;
// a scattered piece and a plug-in's map are refused. Pieces of a fine
// picture too large to hold are those of the whole, blur included.
TEST(SmoothEdges, FactorRefusalsAndPiecesOfAPictureTooLargeToHold)
{
    EXPECT_EQ(SmoothingFactorFor(3, {256, 256}).Factor, 3);
    EXPECT_TRUE(SmoothingFactorFor(4, {1024, 1024}).Warning.empty());
    const SmoothingFactor lowered = SmoothingFactorFor(4, {1366, 1000});
    EXPECT_EQ(lowered.Factor, 2);
    EXPECT_FALSE(lowered.Warning.empty());
    EXPECT_FALSE(SmoothingRefusal(kPluginMethodCode, false).empty());
    EXPECT_FALSE(SmoothingRefusal(1, true).empty());
    EXPECT_TRUE(SmoothingRefusal(1, false).empty());

    const Image unscaled = test::SmoothNoise(300, 200, 1);
    for (const PictureSize cutFrom : {PictureSize{150, 100}, PictureSize{300, 200}}) {
        const TFinePieces whole(unscaled, cutFrom, 3, true);
        const TFinePieces pieced(unscaled, cutFrom, 3, true, 0);
        for (const Rect rect : {Rect{0, 0, 40, 40}, Rect{55, 31, 40, 40},
                                Rect{cutFrom.Width - 40, cutFrom.Height - 40, 40, 40}}) {
            const Image a = whole.Cut(rect);
            const Image b = pieced.Cut(rect);
            int largest = 0;
            for (std::size_t i = 0; i < a.Bytes().size(); ++i) {
                largest = std::max(largest, std::abs(a.Bytes()[i] - b.Bytes()[i]));
            }
            EXPECT_LE(largest, 1) << cutFrom.Width << " " << rect.Left << "," << rect.Top;
        }
    }
}

}  // namespace
}  // namespace qm
