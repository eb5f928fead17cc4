// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <random>

#include "core/Image.h"

namespace qm::test {

// The colour of one pixel as 0xRRGGBB, for readable comparisons.
inline std::uint32_t Colour(const Image& image, int x, int y)
{
    const std::uint8_t* p = image.Pixel(x, y);
    return std::uint32_t{p[2]} << 16 | std::uint32_t{p[1]} << 8 | p[0];
}

inline void SetColour(Image& image, int x, int y, std::uint32_t colour)
{
    std::uint8_t* p = image.Pixel(x, y);
    p[0] = static_cast<std::uint8_t>(colour);
    p[1] = static_cast<std::uint8_t>(colour >> 8);
    p[2] = static_cast<std::uint8_t>(colour >> 16);
}

// A piece of noise, the same for the same seed.
inline Image RandomPiece(int width, int height, std::uint32_t seed)
{
    std::mt19937 engine(seed);
    Image piece(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            SetColour(piece, x, y, static_cast<std::uint32_t>(engine()) & 0xFFFFFFu);
        }
    }
    return piece;
}

// A piece whose pixels all differ: blue is the column, green the row (from
// the top), red a fixed marker. Up to 256 by 256.
inline Image NumberedPiece(int width, int height)
{
    Image piece(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            SetColour(piece, x, y, 0x5A0000u | static_cast<std::uint32_t>(y) << 8 | static_cast<std::uint32_t>(x));
        }
    }
    return piece;
}

// A piece of up to 2048 by 2048 whose pixels all differ: the colour holds
// the column in its low 11 bits and the row (from the top) in the next 11.
inline Image LargeNumberedPiece(int width, int height)
{
    Image piece(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            SetColour(piece, x, y, static_cast<std::uint32_t>(y) << 11 | static_cast<std::uint32_t>(x));
        }
    }
    return piece;
}

inline Image OneColourPiece(int width, int height, std::uint32_t colour)
{
    Image piece(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            SetColour(piece, x, y, colour);
        }
    }
    return piece;
}

}  // namespace qm::test
