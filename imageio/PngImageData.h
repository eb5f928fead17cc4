// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <span>

namespace qm {

// Deflate gives at most about 1032 bytes per byte of stream (two-bit codes
// for 258-byte copies), so no valid file holds rows that need more.
inline constexpr std::uint64_t kMaxDeflateRatio = 1032;

// The compressed image data a PNG file holds: the bytes of its first run of
// consecutive IDAT chunks (the only ones the decoder reads), and whether
// that run is cut off by the end of the file.
struct PngImageData {
    std::uint64_t Bytes = 0;
    bool CutShort = false;
};

// Walks the chunk list of a file whose signature and header have already
// been checked.
PngImageData FindPngImageData(std::span<const std::uint8_t> file);

// The bytes of the filtered rows before compression: a filter byte and the
// packed samples per row, of each of the seven passes when interlaced.
std::uint64_t PngRawBytes(std::uint32_t width, std::uint32_t height, int bitsPerPixel,
                          bool interlaced);

}  // namespace qm
