// SPDX-License-Identifier: MIT
#include "imageio/BmpWriter.h"

#include "imageio/ByteOrder.h"
#include "imageio/Resolution.h"

namespace qm {
namespace {

constexpr std::uint32_t kPixelDataOffset = 14 + 40;

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const Image& image, int dpi)
{
    const std::size_t rowBytes = image.RowBytes();
    const std::size_t stride = (rowBytes + 3) / 4 * 4;
    const std::size_t dataSize = stride * static_cast<std::size_t>(image.Height());

    std::vector<std::uint8_t> out;
    out.reserve(kPixelDataOffset + dataSize);
    out.push_back('B');
    out.push_back('M');
    AppendLe32(out, static_cast<std::uint32_t>(kPixelDataOffset + dataSize));
    AppendLe32(out, 0);  // reserved
    AppendLe32(out, kPixelDataOffset);

    AppendLe32(out, 40);  // information header size
    AppendLe32(out, static_cast<std::uint32_t>(image.Width()));
    AppendLe32(out, static_cast<std::uint32_t>(image.Height()));
    AppendLe16(out, 1);   // planes
    AppendLe16(out, 24);  // bits per pixel
    AppendLe32(out, 0);   // no compression
    AppendLe32(out, static_cast<std::uint32_t>(dataSize));
    const std::uint32_t resolution = dpi > 0 ? PixelsPerMetre(dpi) : 0;
    AppendLe32(out, resolution);  // horizontal, pixels per metre
    AppendLe32(out, resolution);  // vertical
    AppendLe32(out, 0);  // colours used
    AppendLe32(out, 0);  // important colours

    for (int y = image.Height() - 1; y >= 0; --y) {
        const std::uint8_t* row = image.Row(y);
        out.insert(out.end(), row, row + rowBytes);
        out.insert(out.end(), stride - rowBytes, 0);
    }
    return out;
}

}  // namespace qm
