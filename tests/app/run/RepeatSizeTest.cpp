// SPDX-License-Identifier: MIT
// Repeat sizes in pixels, inches and centimetres, and the sizes refused.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/run/RepeatSize.h"
#include "engine/MethodCatalogue.h"

namespace qm {
namespace {

// The tiles of a built-in method at a cut of side (and width).
RepeatTiles TilesOf(std::uint8_t method, int side, int width = 0,
                    int largest = TMakeUnit::kLargeCutSide)
{
    const std::shared_ptr<TMakeUnit> maker = CreateBuiltinMaker(method);
    const TPoint cut{width != 0 ? width : side, side};
    return RepeatTiles{cut, *maker->TileSizeFor(cut), largest,
                       [maker](TPoint other) { return maker->TileSizeFor(other); }};
}

RepeatSize Resolve(const std::string& text, int dpi, const RepeatTiles& tiles)
{
    const std::optional<RepeatSizeAsked> asked = ParseRepeatSize(text);
    EXPECT_TRUE(asked) << text;
    return asked ? ResolveRepeatSize(text, *asked, dpi, tiles) : RepeatSize{};
}

TEST(RepeatSize, ExactSizesInEachUnitAndTheSizesRefused)
{
    for (const char* wrong : {"", "8", "in", "8inch", "8 in", "x8in", "8x in", "8.in", ".5in",
                              "-8in", "0in", "8x8x8px", "8,5cm", "8e2px"}) {
        EXPECT_FALSE(ParseRepeatSize(wrong)) << wrong;
    }
    const RepeatSizeAsked asked = *ParseRepeatSize("20.5X30CM");
    EXPECT_EQ(asked.Width, 20.5);
    EXPECT_EQ(asked.Height, 30.0);
    EXPECT_EQ(asked.Unit, RepeatUnit::Centimetres);

    // Tablecloth: 2046 x 2046 at cut 1024; 1600 x 1600 at 801; 2400 x 2400
    // at 1201.
    const RepeatTiles square = TilesOf(3, 1024);
    EXPECT_EQ(Resolve("8in", 300, square).Size, (PictureSize{2400, 2400}));
    EXPECT_EQ(Resolve("8.5in", 300, square).Size, (PictureSize{2550, 2550}));
    EXPECT_EQ(Resolve("2000x2000px", 0, square).Size, (PictureSize{2000, 2000}));
    EXPECT_EQ(Resolve("10px", 0, square).Size, (PictureSize{10, 10}));
    // A rectangle of cut 1000 x 1500: 1998 x 2998, two to three.
    const RepeatTiles upright = TilesOf(5, 1500, 1000);
    EXPECT_EQ(Resolve("20x30cm", 150, upright).Size, (PictureSize{1181, 1772}));
    EXPECT_EQ(Resolve("20cm", 150, upright).Size, (PictureSize{1181, 1772}));
    // Kaleidoscope, 768 x 442 at cut 256: the height to the nearest pixel.
    EXPECT_EQ(Resolve("500px", 0, TilesOf(1, 256)).Size, (PictureSize{500, 288}));

    const RepeatSize noDpi = Resolve("8in", 0, square);
    EXPECT_EQ(noDpi.Problem, RepeatSizeProblem::NeedsDpi);
    EXPECT_EQ(noDpi.Message, "解像度 (dpi) を指定して下さい");
    EXPECT_EQ(Resolve("0.001in", 300, square).Problem, RepeatSizeProblem::TooSmall);
    EXPECT_EQ(
        Resolve("20x30cm", 150, square).Message,
        "20x30cm はタイルの縦横比と合いません (縦横比どおりなら 20 x 20 cm (1181 x 1181 px))");
    EXPECT_EQ(Resolve("2000x2020px", 0, square).Problem, RepeatSizeProblem::None);  // within 1 %
    EXPECT_EQ(Resolve("2000x2030px", 0, square).Problem, RepeatSizeProblem::Aspect);
    // 1.5 times 2046 is 3069 pixels, 10.23 inches at 300 dpi; a cut of
    // 1202 gives 2402, and 3600 pixels are within 1.5 times of it.
    EXPECT_EQ(Resolve("3069px", 0, square).Problem, RepeatSizeProblem::None);
    const RepeatSize large = Resolve("12in", 300, square);
    EXPECT_EQ(large.Problem, RepeatSizeProblem::TooLarge);
    EXPECT_EQ(
        large.Message,
        "12in は大きすぎます (最大 10.23 x 10.23 in (3069 x 3069 px)、切り抜き 1202 以上で可能)");
    EXPECT_EQ(
        Resolve("12in", 300, TilesOf(3, 1024, 0, 1024)).Message,
        "12in は大きすぎます (最大 10.23 x 10.23 in (3069 x 3069 px)、切り抜き 1202 が必要ですが、"
        "切り抜きは 1024 までです)");
    RepeatTiles plugin = square;
    plugin.TileOfCut = nullptr;
    EXPECT_EQ(Resolve("3070px", 0, plugin).Message, "3070px は大きすぎます (最大 3069 x 3069 px)");
}

TEST(RepeatSize, ATileOfItsOwnSizeStaysAsItIs)
{
    Image tile(6, 4);
    tile.Pixel(1, 2)[1] = 200;
    EXPECT_EQ(ToRepeatSize(tile, {6, 4}, TileAnchor{1, 1}), tile);
    EXPECT_EQ(ToRepeatSize(tile, {9, 6}, TileAnchor{1, 1}).Width(), 9);
}

}  // namespace
}  // namespace qm
