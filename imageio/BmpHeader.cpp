// SPDX-License-Identifier: MIT
#include "imageio/BmpHeader.h"

#include <algorithm>
#include <bit>

#include "core/Errors.h"
#include "core/Translate.h"
#include "imageio/ByteOrder.h"

namespace qm {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;  // OS/2 1.x: 16-bit sizes, 3-byte palette
constexpr std::uint32_t kOs2HeaderSize = 64;   // OS/2 2.x, may be cut short down to 16
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kMaskedHeaderSize = 52;  // first header size holding the masks
constexpr std::uint32_t kAlphaHeaderSize = 56;   // first header size holding the alpha mask

// Compression codes of the information header.
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitFields = 3;
constexpr std::uint32_t kBiOs2Rle24 = 4;  // same code as BI_JPEG in Windows headers
constexpr std::uint32_t kBiAlphaBitFields = 6;

bool IsWindowsHeaderSize(std::uint32_t size)
{
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

bool IsOs2HeaderSize(std::uint32_t size)
{
    return size == kCoreHeaderSize ||
           (size >= 16 && size <= kOs2HeaderSize && !IsWindowsHeaderSize(size));
}

BmpCompression CompressionOf(std::uint32_t code, int bitCount, bool os2)
{
    if (code == kBiRgb && (bitCount == 1 || bitCount == 2 || bitCount == 4 || bitCount == 8 ||
                           bitCount == 16 || bitCount == 24 || bitCount == 32)) {
        return BmpCompression::None;
    }
    if (code == kBiRle8 && bitCount == 8) {
        return BmpCompression::Rle8;
    }
    if (code == kBiRle4 && bitCount == 4) {
        return BmpCompression::Rle4;
    }
    if (os2 && code == kBiOs2Rle24 && bitCount == 24) {
        return BmpCompression::Rle24;
    }
    if (!os2 && (code == kBiBitFields || code == kBiAlphaBitFields) &&
        (bitCount == 16 || bitCount == 32)) {
        return BmpCompression::BitFields;
    }
    ThrowBadBmp();
}

void ReadBitFields(std::span<const std::uint8_t> file, std::size_t at, BmpHeader& header)
{
    if (at + 12 > file.size()) {
        ThrowBadBmp();
    }
    for (std::size_t i = 0; i < 3; ++i) {
        header.Fields[i] = BmpBitField::FromMask(ReadLe32(file.data() + at + 4 * i));
    }
}

void SetDefaultBitFields(BmpHeader& header)
{
    const std::array<std::uint32_t, 3> masks = header.BitCount == 16
        ? std::array<std::uint32_t, 3>{0x7C00, 0x03E0, 0x001F}
        : std::array<std::uint32_t, 3>{0xFF0000, 0x00FF00, 0x0000FF};
    for (std::size_t i = 0; i < 3; ++i) {
        header.Fields[i] = BmpBitField::FromMask(masks[i]);
    }
}

// The colour table starts at tableStart and ends at the pixel data; a count
// beyond what fits there or beyond 2^BitCount is cut back.
void ReadPalette(std::span<const std::uint8_t> file, std::size_t tableStart, std::size_t entrySize,
                 std::uint32_t declared, BmpHeader& header)
{
    const std::size_t maxEntries = std::size_t{1} << header.BitCount;
    std::size_t count = declared == 0 ? maxEntries : std::min<std::size_t>(declared, maxEntries);
    const std::size_t tableEnd = std::min(header.DataOffset, file.size());
    const std::size_t room = tableEnd > tableStart ? (tableEnd - tableStart) / entrySize : 0;
    count = std::min(count, room);
    header.Palette.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* entry = file.data() + tableStart + i * entrySize;
        header.Palette[i] = {entry[0], entry[1], entry[2]};
    }
}

}  // namespace

void ThrowBadBmp()
{
    throw ErrorMessage(T(kBadBmpMessage));
}

BmpBitField BmpBitField::FromMask(std::uint32_t mask)
{
    BmpBitField field;
    field.Mask = mask;
    if (mask != 0) {
        field.Shift = std::countr_zero(mask);
        field.Max = mask >> field.Shift;
    }
    return field;
}

BmpHeader ReadBmpHeader(std::span<const std::uint8_t> head, std::uint64_t fileSize,
                        const DecodeLimits& limits)
{
    if (head.size() < kFileHeaderSize + 4 || head[0] != 'B' || head[1] != 'M') {
        ThrowBadBmp();
    }
    const std::uint8_t* info = head.data() + kFileHeaderSize;
    const std::uint32_t headerSize = ReadLe32(info);
    const bool core = headerSize == kCoreHeaderSize;
    const bool os2 = IsOs2HeaderSize(headerSize);
    if ((!os2 && !IsWindowsHeaderSize(headerSize)) ||
        head.size() - kFileHeaderSize < headerSize) {
        ThrowBadBmp();
    }
    const std::size_t headerEnd = kFileHeaderSize + headerSize;

    BmpHeader header;
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t compression = kBiRgb;
    std::uint32_t colorsUsed = 0;
    if (core) {
        width = ReadLe16(info + 4);
        height = ReadLe16(info + 6);
        header.BitCount = ReadLe16(info + 10);
    } else {
        width = static_cast<std::int32_t>(ReadLe32(info + 4));
        height = static_cast<std::int32_t>(ReadLe32(info + 8));
        header.BitCount = ReadLe16(info + 14);
        if (headerSize >= 20) {
            compression = ReadLe32(info + 16);
        }
        if (headerSize >= 36) {
            colorsUsed = ReadLe32(info + 32);
        }
    }
    if (height < 0) {
        header.TopDown = true;
        height = -height;
    }
    if (!limits.Allows(width, height)) {
        ThrowBadBmp();
    }
    header.Width = static_cast<int>(width);
    header.Height = static_cast<int>(height);
    header.Compression = CompressionOf(compression, header.BitCount, os2);

    header.DataOffset = ReadLe32(head.data() + 10);
    if (header.DataOffset < headerEnd || header.DataOffset > fileSize) {
        ThrowBadBmp();
    }

    if (header.Compression == BmpCompression::BitFields) {
        const std::size_t masks =
            headerSize >= kMaskedHeaderSize ? kFileHeaderSize + kInfoHeaderSize : headerEnd;
        ReadBitFields(head, masks, header);
        // The alpha mask follows the three others, inside a header that has
        // room for it or after one that has not when the code says so.
        if ((headerSize >= kAlphaHeaderSize || compression == kBiAlphaBitFields) &&
            masks + 16 <= head.size()) {
            header.Alpha = BmpBitField::FromMask(ReadLe32(head.data() + masks + 12));
        }
    } else if (header.BitCount == 16 || header.BitCount == 32) {
        SetDefaultBitFields(header);
    } else if (header.BitCount <= 8) {
        ReadPalette(head, headerEnd, core ? 3 : 4, core ? 0 : colorsUsed, header);
    }
    return header;
}

}  // namespace qm
