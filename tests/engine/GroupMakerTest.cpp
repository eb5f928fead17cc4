// SPDX-License-Identifier: MIT
// The wallpaper-group makers keep the rules every maker keeps: the size
// rules and their codes, large cuts, the refusal of a piece of the wrong
// size, and the shuffle, which scatters the motif but shows every pixel of
// it as often as before.
#include <gtest/gtest.h>

#include <set>

#include "MethodTestSupport.h"
#include "engine/ErrorCodes.h"
#include "engine/MethodCatalogue.h"

namespace qm {
namespace {

std::unique_ptr<TMakeUnit> Maker(const MethodInfo& group, bool large = false)
{
    auto maker = CreateGroupMaker(group.code);
    maker->LargeCuts = large;
    return maker;
}

TEST(GroupMakers, KeepTheSizeRules)
{
    for (const MethodInfo& group : GroupMethods()) {
        SCOPED_TRACE(group.cliName);
        const auto refused = [&](TPoint size, bool large) {
            auto maker = Maker(group, large);
            EXPECT_FALSE(maker->Prepare(size, false)) << size.X << " x " << size.Y;
            return maker->ErrorCode();
        };
        EXPECT_EQ(refused({258, 258}, false), kErrCutTooLarge);
        EXPECT_EQ(refused({2048, 2050}, true), kErrCutTooLarge);
        EXPECT_EQ(refused({30, 30}, false), kErrCutTooSmall);
        if (group.freeWidth) {
            EXPECT_TRUE(Maker(group)->Prepare({33, 20}, false));
        } else {
            EXPECT_EQ(refused({33, 64}, false), kErrOddSize);
            EXPECT_EQ(refused({64, 20}, false), kErrCutTooSmall);
        }
        EXPECT_TRUE(Maker(group, true)->Prepare({2048, 2048}, false));
    }
}

// A numbered piece beyond 256 pixels: every tile pixel shows a pixel of the
// cut, the groups whose region is the whole cut show every pixel of it, the
// triangles about half of it, with the shuffle as without.
TEST(GroupMakers, ShowTheMotifWithAndWithoutTheShuffle)
{
    const std::set<std::string> triangles{"cmm", "p4m", "p4g"};
    for (const MethodInfo& group : GroupMethods()) {
        const TPoint cut = group.freeWidth ? TPoint{301, 260} : TPoint{300, 300};
        const bool hexagonal = group.code >= GroupMethodNamed("p3")->code;
        for (const bool shuffle : {false, true}) {
            SCOPED_TRACE(testing::Message() << group.cliName << " shuffle " << shuffle);
            auto maker = Maker(group, true);
            ASSERT_TRUE(maker->Prepare(cut, shuffle));
            if (hexagonal) {
                ASSERT_TRUE(maker->Make(test::OneColourPiece(cut.X, cut.Y, test::kPlainColour)));
                const Image& tile = maker->ResultImage();
                for (int y = 0; y < tile.Height(); ++y) {
                    for (int x = 0; x < tile.Width(); ++x) {
                        ASSERT_EQ(test::Colour(tile, x, y), test::kPlainColour) << x << "," << y;
                    }
                }
            } else {
                ASSERT_TRUE(maker->Make(test::LargeNumberedPiece(cut.X, cut.Y)));
                const Image& tile = maker->ResultImage();
                std::set<std::uint32_t> shown;
                for (int y = 0; y < tile.Height(); ++y) {
                    for (int x = 0; x < tile.Width(); ++x) {
                        const test::PiecePos p = test::ShownLarge(tile, x, y);
                        ASSERT_TRUE(p.column < cut.X && p.row < cut.Y) << x << "," << y;
                        shown.insert(test::Colour(tile, x, y));
                    }
                }
                const std::size_t area = static_cast<std::size_t>(cut.X) * cut.Y;
                if (triangles.contains(group.cliName)) {
                    EXPECT_GE(shown.size(), area / 2);
                    EXPECT_LE(shown.size(), area / 2 + cut.X);
                } else {
                    EXPECT_EQ(shown.size(), area);
                }
            }
            const Image tile = maker->ResultImage();
            EXPECT_FALSE(maker->Make(test::RandomPiece(cut.X, cut.Y + 1, 4)));
            EXPECT_EQ(maker->ErrorCode(), kErrPieceSize);
            EXPECT_EQ(maker->ResultImage(), tile);
        }
    }
}

}  // namespace
}  // namespace qm
