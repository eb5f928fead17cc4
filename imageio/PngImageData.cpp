// SPDX-License-Identifier: MIT
#include "imageio/PngImageData.h"

#include <png.h>

#include <algorithm>
#include <cstring>

#include "imageio/ByteOrder.h"

namespace qm {
namespace {

constexpr std::size_t kSignatureSize = 8;

std::uint64_t RowBytes(std::uint64_t width, int bitsPerPixel)
{
    return width == 0 ? 0 : 1 + (width * static_cast<std::uint64_t>(bitsPerPixel) + 7) / 8;
}

}  // namespace

PngImageData FindPngImageData(std::span<const std::uint8_t> file)
{
    PngImageData data;
    bool inRun = false;
    std::uint64_t at = kSignatureSize;
    for (;;) {
        if (file.size() < 8 || at > file.size() - 8) {
            data.CutShort = true;
            return data;
        }
        const std::uint64_t length = ReadBe32(file.data() + at);
        const bool idat = std::memcmp(file.data() + at + 4, "IDAT", 4) == 0;
        if (inRun && !idat) {
            return data;
        }
        const std::uint64_t end = at + 12 + length;
        if (idat) {
            inRun = true;
            data.Bytes += std::min<std::uint64_t>(length, file.size() - at - 8);
        }
        if (end > file.size()) {
            data.CutShort = true;
            return data;
        }
        at = end;
    }
}

std::uint64_t PngRawBytes(std::uint32_t width, std::uint32_t height, int bitsPerPixel,
                          bool interlaced)
{
    if (!interlaced) {
        return std::uint64_t{height} * RowBytes(width, bitsPerPixel);
    }
    std::uint64_t total = 0;
    for (int pass = 0; pass < 7; ++pass) {
        total += std::uint64_t{PNG_PASS_ROWS(height, pass)} *
                 RowBytes(PNG_PASS_COLS(width, pass), bitsPerPixel);
    }
    return total;
}

}  // namespace qm
