// SPDX-License-Identifier: MIT
// What a maker tells of its tiles before it is prepared: their size for any
// cut, and whether a finer cut of the same picture gives the same tile; and
// the tiles themselves, byte for byte those of the makers before smoothing
// and repeat sizes came.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "PieceImages.h"
#include "engine/MethodCatalogue.h"

namespace qm {
namespace {

// Every pixel of image as a k by k block.
Image Blocks(const Image& image, int k)
{
    Image blocks(k * image.Width(), k * image.Height());
    for (int y = 0; y < blocks.Height(); ++y) {
        for (int x = 0; x < blocks.Width(); ++x) {
            test::SetColour(blocks, x, y, test::Colour(image, x / k, y / k));
        }
    }
    return blocks;
}

std::vector<const MethodInfo*> EveryMethod()
{
    std::vector<const MethodInfo*> methods;
    for (const MethodInfo& method : BuiltinMethods()) {
        methods.push_back(&method);
    }
    for (const MethodInfo& group : GroupMethods()) {
        methods.push_back(&group);
    }
    return methods;
}

TEST(TileGeometry, SizesBeforePreparingAndTheMakersThatScaleWithTheCut)
{
    for (const MethodInfo* method : EveryMethod()) {
        SCOPED_TRACE(method->cliName);
        const TPoint cut = method->freeWidth ? TPoint{64, 48} : TPoint{64, 64};
        const Image piece = test::RandomPiece(cut.X, cut.Y, 3);
        auto maker = method->create(MakerSettings{7});
        ASSERT_TRUE(maker->Prepare(cut, false) && maker->Make(piece));
        const TPoint made{maker->ResultImage().Width(), maker->ResultImage().Height()};
        EXPECT_EQ(maker->TileSizeFor(cut), made);
        if (!maker->ScalesWithCut()) {
            continue;
        }
        for (const int k : {2, 3}) {
            auto fine = method->create(MakerSettings{7});
            ASSERT_TRUE(fine->Prepare({k * cut.X, k * cut.Y}, false) &&
                        fine->Make(Blocks(piece, k)));
            EXPECT_EQ(fine->ResultImage(), Blocks(maker->ResultImage(), k)) << k;
        }
    }
}

// FNV-1a of the tile's size and bytes.
std::uint64_t Fingerprint(const Image& tile)
{
    std::uint64_t hash = 1469598103934665603u;
    const auto add = [&](std::uint8_t byte) {
        hash ^= byte;
        hash *= 1099511628211u;
    };
    for (const int side : {tile.Width(), tile.Height()}) {
        for (int k = 0; k < 4; ++k) {
            add(static_cast<std::uint8_t>(side >> (8 * k)));
        }
    }
    for (int y = 0; y < tile.Height(); ++y) {
        for (std::size_t i = 0; i < tile.RowBytes(); ++i) {
            add(tile.Row(y)[i]);
        }
    }
    return hash;
}

TEST(TileGeometry, EveryMakerMakesTodaysTilesAtCutsOf256And520)
{
    struct Expected {
        std::string_view method;
        std::uint64_t at256;
        std::uint64_t at520;
    };
    const Expected expected[] = {
        {"kaleidoscope", 0xafb9b0f6e19b88b5ull, 0xdf76b868d9e3e4d6ull},
        {"carpet", 0x71b887bedc57fe0bull, 0xbafb35c733e6441bull},
        {"tablecloth", 0x9e337e0b36b8f77aull, 0x93370dfc9229be1dull},
        {"tile", 0xcbb0a92ac7931bb9ull, 0xdd268f7228b52dc3ull},
        {"floral", 0x9ae54b9a34a418ecull, 0x63dbe99086f77627ull},
        {"distorted-square", 0xa07fb4612166f1ceull, 0xacc7cd581bc5e0c3ull},
        {"rectangle", 0x54235116386f6a7dull, 0x869905aa3f824414ull},
        {"none", 0x7e4282ec10ac4dddull, 0xdedf579c2a8f5a2aull},
        {"p1", 0x852b10812718bce1ull, 0xbaa459be842944b6ull},
        {"p2", 0x8afca232a1701f46ull, 0xcf2326a472f14673ull},
        {"pm", 0xe083af71ef2817cbull, 0x0f8dc1dd518b87a0ull},
        {"pg", 0x3dd59c4607ebccd1ull, 0x94c75d57b6cf93bbull},
        {"cm", 0xc11c002f99489666ull, 0x8c8135297cb20cc5ull},
        {"pmm", 0x65544004c2b30f52ull, 0x6dd4ef7afbd887d5ull},
        {"pmg", 0x03d39d1e459ecfb6ull, 0x0314f290a06d4335ull},
        {"pgg", 0x155cb98b96e92edeull, 0x5200cb8b41630365ull},
        {"cmm", 0x726fac5d784e8baeull, 0xabf8ba76582e9a4dull},
        {"p4", 0x074bc92b5722470full, 0x4201662a37fbcd7bull},
        {"p4m", 0x06cb4bd3e3cc0d57ull, 0xa39a36f238e9261bull},
        {"p4g", 0xc48c26b97b7c53dbull, 0x09db88adbbc8d2f3ull},
        {"p3", 0x797d290250af22b8ull, 0x3a56231951d63d79ull},
        {"p3m1", 0xc289b3211fec21b3ull, 0x139d4ed3d72a2e8eull},
        {"p31m", 0xef3f60165f723f6aull, 0xffa07eee485a65e8ull},
        {"p6", 0x69d02c07b37aa963ull, 0xe60d541704c879b6ull},
        {"p6m", 0xaf2a867e38fb6442ull, 0x4865181f0e9447c0ull},
    };
    const std::vector<const MethodInfo*> methods = EveryMethod();
    ASSERT_EQ(std::size(expected), methods.size());
    for (std::size_t m = 0; m < methods.size(); ++m) {
        SCOPED_TRACE(methods[m]->cliName);
        ASSERT_EQ(expected[m].method, methods[m]->cliName);
        for (const int large : {0, 1}) {
            // A free-width cut five eighths as high, rounded down to even.
            const int side = large != 0 ? 520 : 256;
            const TPoint cut =
                methods[m]->freeWidth ? TPoint{side, side * 5 / 16 * 2} : TPoint{side, side};
            auto maker = methods[m]->create(MakerSettings{5});
            maker->LargeCuts = large != 0;
            ASSERT_TRUE(maker->Prepare(cut, false) &&
                        maker->Make(test::RandomPiece(cut.X, cut.Y,
                                                      11 + static_cast<std::uint32_t>(large))));
            EXPECT_EQ(Fingerprint(maker->ResultImage()),
                      large != 0 ? expected[m].at520 : expected[m].at256);
        }
    }
}

}  // namespace
}  // namespace qm
