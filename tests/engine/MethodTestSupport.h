// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "PieceImages.h"
#include "core/Image.h"
#include "engine/UMakeUnit.h"

namespace qm::test {

inline constexpr std::uint32_t kPlainColour = 0xE79C12u;

// The place in a numbered piece that a tile pixel shows.
struct PiecePos {
    int column;
    int row;  // counted from the top
    bool operator==(const PiecePos&) const = default;
};

inline PiecePos Shown(const Image& tile, int column, int row)
{
    const std::uint32_t colour = Colour(tile, column, row);
    return {static_cast<int>(colour & 0xFF), static_cast<int>(colour >> 8 & 0xFF)};
}

// The place in a large numbered piece that a tile pixel shows.
inline PiecePos ShownLarge(const Image& tile, int column, int row)
{
    const std::uint32_t colour = Colour(tile, column, row);
    return {static_cast<int>(colour & 0x7FF), static_cast<int>(colour >> 11 & 0x7FF)};
}

inline bool ColumnsEqual(const Image& image, int a, int b)
{
    for (int r = 0; r < image.Height(); ++r) {
        if (Colour(image, a, r) != Colour(image, b, r)) {
            return false;
        }
    }
    return true;
}

inline bool RowsEqual(const Image& image, int a, int b)
{
    for (int c = 0; c < image.Width(); ++c) {
        if (Colour(image, c, a) != Colour(image, c, b)) {
            return false;
        }
    }
    return true;
}

// The tile has side 2 * axis and is symmetric about column axis and row
// axis; column 0 and row 0 have no partner.
inline bool MirroredAbout(const Image& tile, int axis)
{
    for (int t = 1; t <= axis - 1; ++t) {
        if (!ColumnsEqual(tile, axis + t, axis - t) || !RowsEqual(tile, axis + t, axis - t)) {
            return false;
        }
    }
    return tile.Width() == 2 * axis && tile.Height() == 2 * axis;
}

// The cell code of pixel-array column x, row y (rows counted from the bottom).
constexpr std::int32_t Code(int x, int y)
{
    return 256 * x + y;
}

// A one-colour piece gives a tile of that colour alone, with and without
// the shuffle.
inline void ExpectOneColourTiles(const std::function<std::unique_ptr<TMakeUnit>()>& create, int x,
                                 int y)
{
    for (const bool shuffle : {false, true}) {
        const std::unique_ptr<TMakeUnit> maker = create();
        ASSERT_TRUE(maker->Prepare({x, y}, shuffle));
        ASSERT_TRUE(maker->Make(OneColourPiece(x, y, kPlainColour)));
        const Image& tile = maker->ResultImage();
        ASSERT_FALSE(tile.Empty());
        for (int r = 0; r < tile.Height(); ++r) {
            for (int c = 0; c < tile.Width(); ++c) {
                ASSERT_EQ(Colour(tile, c, r), kPlainColour) << c << "," << r << " shuffle " << shuffle;
            }
        }
    }
}

// Makes the tile of a numbered x by x piece and checks that it is 2x - 2 on
// a side and that every pixel shows the piece place expected(x, c, r). A cut
// beyond 256 is made with large cuts on.
template <class Maker>
void ExpectEverySquareTilePixel(int x, const std::function<PiecePos(int, int, int)>& expected)
{
    const bool large = x > 256;
    auto maker = std::make_unique<Maker>();
    maker->LargeCuts = large;
    ASSERT_TRUE(maker->Prepare({x, x}, false));
    ASSERT_TRUE(maker->Make(large ? LargeNumberedPiece(x, x) : NumberedPiece(x, x)));
    const Image& tile = maker->ResultImage();
    ASSERT_EQ(tile.Width(), 2 * x - 2);
    ASSERT_EQ(tile.Height(), 2 * x - 2);
    for (int r = 0; r < tile.Height(); ++r) {
        for (int c = 0; c < tile.Width(); ++c) {
            const PiecePos shown = large ? ShownLarge(tile, c, r) : Shown(tile, c, r);
            ASSERT_EQ(shown, expected(x, c, r)) << x << " at " << c << "," << r;
        }
    }
}

}  // namespace qm::test
