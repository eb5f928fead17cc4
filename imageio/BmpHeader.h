// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/Translate.h"
#include "imageio/DecodeLimits.h"

namespace qm {

// The text of every BMP decoding failure, shown through T().
inline constexpr const char* kBadBmpMessage = N_("ビットマップイメージが不正です");
[[noreturn]] void ThrowBadBmp();

enum class BmpCompression { None, Rle8, Rle4, Rle24, BitFields };

// One colour channel of a 16- or 32-bit pixel: the bits of Mask, shifted
// down by Shift, give a value from 0 to Max.
struct BmpBitField {
    std::uint32_t Mask = 0;
    int Shift = 0;
    std::uint32_t Max = 0;

    static BmpBitField FromMask(std::uint32_t mask);
};

// A colour as blue, green, red for each palette index a pixel can hold.
using BmpColourTable = std::array<std::array<std::uint8_t, 3>, 256>;

// Everything the pixel decoders need to know about a BMP file, checked
// against the bytes of the file.
struct BmpHeader {
    int Width = 0;
    int Height = 0;
    bool TopDown = false;
    int BitCount = 0;
    BmpCompression Compression = BmpCompression::None;
    // Red, green and blue channels of 16- and 32-bit pixels.
    std::array<BmpBitField, 3> Fields{};
    // The alpha channel of 16- and 32-bit pixels with bit-field masks whose
    // header names one; an empty mask otherwise.
    BmpBitField Alpha{};
    // Colour table as blue, green, red; only the entries the file holds.
    std::vector<std::array<std::uint8_t, 3>> Palette;
    // Start of the pixel data, within the file.
    std::size_t DataOffset = 0;

    // The colour table with black for every index beyond it.
    BmpColourTable FullColourTable() const
    {
        BmpColourTable colours{};
        std::copy(Palette.begin(), Palette.end(), colours.begin());
        return colours;
    }

    // Image row of the stored row number row (rows are stored bottom-up
    // unless TopDown).
    int ImageRow(std::int64_t row) const
    {
        return static_cast<int>(TopDown ? row : Height - 1 - row);
    }
};

// The file and information headers, the channel masks and the largest
// colour table all lie within this many bytes from the start of a file.
inline constexpr std::size_t kBmpHeadBytes = 14 + 124 + 4 * 256;

// Reads and checks the file and information headers, the channel masks and
// the colour table from head, the start of a file of fileSize bytes: the
// whole file or at least its first kBmpHeadBytes. Throws
// ErrorMessage(kBadBmpMessage) for anything malformed, unsupported, or
// larger than limits.
BmpHeader ReadBmpHeader(std::span<const std::uint8_t> head, std::uint64_t fileSize,
                        const DecodeLimits& limits);

}  // namespace qm
