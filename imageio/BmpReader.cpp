// SPDX-License-Identifier: MIT
#include "imageio/BmpReader.h"

#include <algorithm>

#include "imageio/BmpHeader.h"
#include "imageio/BmpRle.h"
#include "imageio/ByteOrder.h"

namespace qm {
namespace {

std::int64_t StoredRowBytes(const BmpHeader& header)
{
    return (static_cast<std::int64_t>(header.Width) * header.BitCount + 31) / 32 * 4;
}

// Bytes of a stored row that hold pixels, without the padding.
std::int64_t UsedRowBytes(const BmpHeader& header)
{
    return (static_cast<std::int64_t>(header.Width) * header.BitCount + 7) / 8;
}

void PutPaletteRow(const BmpHeader& header, const std::uint8_t* src, std::uint8_t* dst)
{
    const int bits = header.BitCount;
    const int perByte = 8 / bits;
    const int mask = (1 << bits) - 1;
    for (int x = 0; x < header.Width; ++x, dst += 3) {
        const int shift = 8 - bits * (x % perByte + 1);
        const std::size_t index = (src[x / perByte] >> shift) & mask;
        if (index < header.Palette.size()) {
            dst[0] = header.Palette[index][0];
            dst[1] = header.Palette[index][1];
            dst[2] = header.Palette[index][2];
        }
    }
}

void PutMaskedRow(const BmpHeader& header, const std::uint8_t* src, std::uint8_t* dst)
{
    const int bytes = header.BitCount / 8;
    for (int x = 0; x < header.Width; ++x, src += bytes, dst += 3) {
        const std::uint32_t pixel = bytes == 2 ? ReadLe16(src) : ReadLe32(src);
        dst[0] = header.Fields[2].Extract(pixel);
        dst[1] = header.Fields[1].Extract(pixel);
        dst[2] = header.Fields[0].Extract(pixel);
    }
}

void PutRow(const BmpHeader& header, const std::uint8_t* src, std::uint8_t* dst)
{
    if (header.BitCount <= 8) {
        PutPaletteRow(header, src, dst);
    } else if (header.BitCount == 24) {
        std::copy(src, src + 3 * static_cast<std::size_t>(header.Width), dst);
    } else {
        PutMaskedRow(header, src, dst);
    }
}

// How many bytes from the start of a file of fileSize bytes the pixels
// take, checked before the picture is allocated: an uncompressed file must
// hold all its rows (the last one may lack its padding); a run-length
// stream gives at most 255 pixels per two bytes, so a short stream cannot
// claim a picture beyond what limits let it leave out.
std::uint64_t PixelDataEnd(const BmpHeader& header, std::uint64_t fileSize,
                           const DecodeLimits& limits)
{
    if (header.DataOffset > fileSize) {
        ThrowBadBmp();
    }
    const std::uint64_t data = fileSize - header.DataOffset;
    if (header.Compression == BmpCompression::None ||
        header.Compression == BmpCompression::BitFields) {
        const auto needed = static_cast<std::uint64_t>(
            StoredRowBytes(header) * (header.Height - 1) + UsedRowBytes(header));
        if (data < needed) {
            ThrowBadBmp();
        }
        return header.DataOffset + needed;
    }
    const std::int64_t pixels = std::int64_t{header.Width} * header.Height;
    if (pixels > limits.FreePixels &&
        static_cast<std::uint64_t>(pixels) > 255 * ((data + 1) / 2)) {
        ThrowBadBmp();
    }
    return fileSize;
}

void DecodeRows(std::span<const std::uint8_t> file, const BmpHeader& header, Image& image)
{
    const std::int64_t stride = StoredRowBytes(header);
    for (int row = 0; row < header.Height; ++row) {
        PutRow(header, file.data() + header.DataOffset + row * stride,
               image.Row(header.ImageRow(row)));
    }
}

Image DecodePixels(std::span<const std::uint8_t> file, const BmpHeader& header)
{
    Image image(header.Width, header.Height);
    if (header.Compression == BmpCompression::None ||
        header.Compression == BmpCompression::BitFields) {
        DecodeRows(file, header, image);
    } else {
        DecodeBmpRle(file, header, image);
    }
    return image;
}

}  // namespace

Image DecodeBmp(std::span<const std::uint8_t> file, const DecodeLimits& limits)
{
    const BmpHeader header = ReadBmpHeader(file, file.size(), limits);
    PixelDataEnd(header, file.size(), limits);
    return DecodePixels(file, header);
}

Image ReadBmpFile(SourceFile& file, std::vector<std::uint8_t>& bytes, const DecodeLimits& limits)
{
    file.ReadUpTo(bytes, kBmpHeadBytes);
    const BmpHeader header = ReadBmpHeader(bytes, file.Size(), limits);
    file.ReadUpTo(bytes, PixelDataEnd(header, file.Size(), limits));
    // Checked again against what was read: the file may have shrunk since
    // it was opened.
    PixelDataEnd(header, bytes.size(), limits);
    return DecodePixels(bytes, header);
}

}  // namespace qm
