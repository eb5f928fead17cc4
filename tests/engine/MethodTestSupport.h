#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "core/Image.h"
#include "engine/UMakeUnit.h"

namespace qm::test {

// A piece whose every pixel names its own place: blue = column, green = row
// counted from the top, red a fixed tag.
inline Image CoordinatePiece(int width, int height)
{
    Image piece(width, height);
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) {
            std::uint8_t* p = piece.Pixel(c, r);
            p[0] = static_cast<std::uint8_t>(c);
            p[1] = static_cast<std::uint8_t>(r);
            p[2] = 0x5A;
        }
    }
    return piece;
}

inline Image OneColourPiece(int width, int height)
{
    Image piece(width, height);
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) {
            std::uint8_t* p = piece.Pixel(c, r);
            p[0] = 0x12;
            p[1] = 0x9C;
            p[2] = 0xE7;
        }
    }
    return piece;
}

inline bool IsOneColourTile(const Image& tile)
{
    for (int r = 0; r < tile.Height(); ++r) {
        for (int c = 0; c < tile.Width(); ++c) {
            const std::uint8_t* p = tile.Pixel(c, r);
            if (p[0] != 0x12 || p[1] != 0x9C || p[2] != 0xE7) {
                return false;
            }
        }
    }
    return true;
}

// The place in a coordinate piece that a tile pixel shows.
struct PiecePos {
    int column;
    int row;  // counted from the top
    bool operator==(const PiecePos&) const = default;
};

inline PiecePos Shown(const Image& tile, int column, int row)
{
    const std::uint8_t* p = tile.Pixel(column, row);
    return {p[0], p[1]};
}

inline bool ColumnsEqual(const Image& image, int a, int b)
{
    for (int r = 0; r < image.Height(); ++r) {
        const std::uint8_t* pa = image.Pixel(a, r);
        const std::uint8_t* pb = image.Pixel(b, r);
        if (pa[0] != pb[0] || pa[1] != pb[1] || pa[2] != pb[2]) {
            return false;
        }
    }
    return true;
}

inline bool RowsEqual(const Image& image, int a, int b)
{
    for (int c = 0; c < image.Width(); ++c) {
        const std::uint8_t* pa = image.Pixel(c, a);
        const std::uint8_t* pb = image.Pixel(c, b);
        if (pa[0] != pb[0] || pa[1] != pb[1] || pa[2] != pb[2]) {
            return false;
        }
    }
    return true;
}

// The tile is symmetric about column axis and row axis and every column and
// row beyond the axis has its partner.
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
        ASSERT_TRUE(maker->Make(OneColourPiece(x, y)));
        EXPECT_TRUE(IsOneColourTile(maker->ResultImage())) << "shuffle " << shuffle;
    }
}

}  // namespace qm::test
