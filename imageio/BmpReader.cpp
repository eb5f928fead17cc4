// SPDX-License-Identifier: MIT
#include "imageio/BmpReader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <numeric>

#include "imageio/BmpHeader.h"
#include "imageio/BmpRle.h"
#include "imageio/ByteOrder.h"
#include "imageio/Composite.h"

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

void PutColour(std::uint8_t* dst, const std::array<std::uint8_t, 3>& bgr)
{
    dst[0] = bgr[0];
    dst[1] = bgr[1];
    dst[2] = bgr[2];
}

// Rows of kBits-bit palette indices, each byte holding 8 / kBits pixels from
// its top bits down.
template <int kBits>
void PutPaletteRows(std::span<const std::uint8_t> file, const BmpHeader& header, Image& image)
{
    constexpr int kPerByte = 8 / kBits;
    constexpr unsigned kMask = (1U << kBits) - 1;
    const BmpColourTable colours = header.FullColourTable();
    const std::int64_t stride = StoredRowBytes(header);
    const int wholeBytes = header.Width / kPerByte;
    const int rest = header.Width % kPerByte;
    for (int row = 0; row < header.Height; ++row) {
        const std::uint8_t* src = file.data() + header.DataOffset + row * stride;
        std::uint8_t* dst = image.Row(header.ImageRow(row));
        for (int i = 0; i < wholeBytes; ++i, dst += 3 * kPerByte) {
            for (int k = 0; k < kPerByte; ++k) {
                PutColour(dst + 3 * k, colours[(src[i] >> (8 - kBits * (k + 1))) & kMask]);
            }
        }
        for (int k = 0; k < rest; ++k) {
            PutColour(dst + 3 * k, colours[(src[wholeBytes] >> (8 - kBits * (k + 1))) & kMask]);
        }
    }
}

// One channel of 16- or 32-bit pixels as 0..255: the bits of the mask,
// shifted down, index a table of values. A channel of up to 8 bits is
// scaled with rounding, a wider one keeps its top 8 bits; an empty mask
// gives 0.
struct ChannelTable {
    explicit ChannelTable(const BmpBitField& field) : Mask(field.Mask), Shift(field.Shift)
    {
        const int width = std::bit_width(field.Max);
        if (width > 8) {
            Shift += width - 8;
            std::iota(Values.begin(), Values.end(), 0);
            return;
        }
        for (std::uint32_t value = 1; value <= field.Max; ++value) {
            Values[value] = static_cast<std::uint8_t>((value * 255 + field.Max / 2) / field.Max);
        }
    }

    std::uint8_t operator()(std::uint32_t pixel) const { return Values[(pixel & Mask) >> Shift]; }

    std::uint32_t Mask;
    int Shift;
    std::array<std::uint8_t, 256> Values{};
};

template <int kBytes>
void PutMaskedRows(std::span<const std::uint8_t> file, const BmpHeader& header, Image& image)
{
    const ChannelTable red(header.Fields[0]);
    const ChannelTable green(header.Fields[1]);
    const ChannelTable blue(header.Fields[2]);
    const std::int64_t stride = StoredRowBytes(header);
    for (int row = 0; row < header.Height; ++row) {
        const std::uint8_t* src = file.data() + header.DataOffset + row * stride;
        std::uint8_t* dst = image.Row(header.ImageRow(row));
        for (int x = 0; x < header.Width; ++x, src += kBytes, dst += 3) {
            const std::uint32_t pixel = kBytes == 2 ? ReadLe16(src) : ReadLe32(src);
            dst[0] = blue(pixel);
            dst[1] = green(pixel);
            dst[2] = red(pixel);
        }
    }
}

// The same laid on background by each pixel's alpha.
template <int kBytes>
void PutMaskedRowsOn(std::span<const std::uint8_t> file, const BmpHeader& header, Rgb background,
                     Image& image)
{
    const ChannelTable red(header.Fields[0]);
    const ChannelTable green(header.Fields[1]);
    const ChannelTable blue(header.Fields[2]);
    const ChannelTable alpha(header.Alpha);
    const std::int64_t stride = StoredRowBytes(header);
    std::vector<std::uint8_t> rgba(4 * static_cast<std::size_t>(header.Width));
    for (int row = 0; row < header.Height; ++row) {
        const std::uint8_t* src = file.data() + header.DataOffset + row * stride;
        for (int x = 0; x < header.Width; ++x, src += kBytes) {
            const std::uint32_t pixel = kBytes == 2 ? ReadLe16(src) : ReadLe32(src);
            rgba[4 * x] = red(pixel);
            rgba[4 * x + 1] = green(pixel);
            rgba[4 * x + 2] = blue(pixel);
            rgba[4 * x + 3] = alpha(pixel);
        }
        CompositeRow(rgba.data(), image.Row(header.ImageRow(row)), header.Width, background, false);
    }
}

void PutDirectRows(std::span<const std::uint8_t> file, const BmpHeader& header, Image& image)
{
    const std::int64_t stride = StoredRowBytes(header);
    for (int row = 0; row < header.Height; ++row) {
        const std::uint8_t* src = file.data() + header.DataOffset + row * stride;
        std::memcpy(image.Row(header.ImageRow(row)), src, image.RowBytes());
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

void DecodeRows(std::span<const std::uint8_t> file, const BmpHeader& header,
                const std::optional<Rgb>& background, Image& image)
{
    if (background && header.Alpha.Mask != 0) {
        return header.BitCount == 16 ? PutMaskedRowsOn<2>(file, header, *background, image)
                                     : PutMaskedRowsOn<4>(file, header, *background, image);
    }
    switch (header.BitCount) {
    case 1: return PutPaletteRows<1>(file, header, image);
    case 2: return PutPaletteRows<2>(file, header, image);
    case 4: return PutPaletteRows<4>(file, header, image);
    case 8: return PutPaletteRows<8>(file, header, image);
    case 16: return PutMaskedRows<2>(file, header, image);
    case 24: return PutDirectRows(file, header, image);
    default: return PutMaskedRows<4>(file, header, image);
    }
}

Image DecodePixels(std::span<const std::uint8_t> file, const BmpHeader& header,
                   const std::optional<Rgb>& background)
{
    // Uncompressed files hold every row whole; run-length streams may leave
    // pixels out, which stay black.
    if (header.Compression == BmpCompression::None ||
        header.Compression == BmpCompression::BitFields) {
        Image image = Image::Unfilled(header.Width, header.Height);
        DecodeRows(file, header, background, image);
        return image;
    }
    Image image(header.Width, header.Height);
    DecodeBmpRle(file, header, image);
    return image;
}

}  // namespace

Image DecodeBmp(std::span<const std::uint8_t> file, const DecodeLimits& limits,
                const std::optional<Rgb>& background)
{
    const BmpHeader header = ReadBmpHeader(file, file.size(), limits);
    PixelDataEnd(header, file.size(), limits);
    return DecodePixels(file, header, background);
}

Image ReadBmpFile(SourceFile& file, std::vector<std::uint8_t>& bytes, const DecodeLimits& limits,
                  const std::optional<Rgb>& background)
{
    file.ReadUpTo(bytes, kBmpHeadBytes);
    const BmpHeader header = ReadBmpHeader(bytes, file.Size(), limits);
    file.ReadUpTo(bytes, PixelDataEnd(header, file.Size(), limits));
    // Checked again against what was read: the file may have shrunk since
    // it was opened.
    PixelDataEnd(header, bytes.size(), limits);
    return DecodePixels(bytes, header, background);
}

}  // namespace qm
