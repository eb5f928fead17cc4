// SPDX-License-Identifier: MIT
#include "imageio/TiffReader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "core/Errors.h"
#include "core/Format.h"
#include "core/Translate.h"
#include "imageio/Composite.h"
#include "imageio/TiffStream.h"
#include "imageio/colour/InkToBgr.h"

namespace qm {
namespace {

[[noreturn]] void ThrowTiffError(const std::string& reason)
{
    throw ErrorMessage(Format(T("TIFF エラー: %s"), {reason}));
}

enum class Model { Grey, GreyInverted, Rgb, Palette, Cmyk };

// What the pixel loops need to know about the picture.
struct Layout {
    int Width = 0;
    int Height = 0;
    int Bits = 0;
    int Samples = 0;  // per pixel, extra samples included
    int Colours = 0;  // colour samples per pixel
    bool Planar = false;
    bool Tiled = false;
    int ChunkWidth = 0;   // the tile width, or the picture's for strips
    int ChunkHeight = 0;  // the tile length, or the rows per strip
    Model Kind = Model::Rgb;
    int AlphaSample = -1;  // -1 without alpha
    bool Premultiplied = false;
    // The palette's 16-bit entries.
    const std::uint16_t* Map[3] = {nullptr, nullptr, nullptr};
};

// The largest raw size per coded byte each compression can give: PackBits
// 128 bytes from two, an LZW code of at least 9 bits at most 4096 bytes,
// deflate about 1032, and JPEG one bit per 8 x 8 block of a component of
// three bytes' worth of samples at most.
std::uint64_t ExpansionOf(int compression)
{
    switch (compression) {
    case COMPRESSION_NONE: return 1;
    case COMPRESSION_PACKBITS: return 64;
    case COMPRESSION_LZW: return 3641;
    case COMPRESSION_JPEG: return 1536;
    default: return 1032;
    }
}

bool Supported(int compression)
{
    return compression == COMPRESSION_NONE || compression == COMPRESSION_LZW ||
           compression == COMPRESSION_ADOBE_DEFLATE || compression == COMPRESSION_DEFLATE ||
           compression == COMPRESSION_PACKBITS || compression == COMPRESSION_JPEG;
}

template <typename T>
T Field(TIFF* tiff, ttag_t tag, T fallback)
{
    T value = fallback;
    return TIFFGetFieldDefaulted(tiff, tag, &value) == 1 ? value : fallback;
}

Layout ReadLayout(TIFF* tiff, TiffStream& stream, const DecodeLimits& limits, std::uint64_t fileBytes)
{
    Layout layout;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    if (!TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width) ||
        !TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height)) {
        ThrowTiffError(stream.Error.empty() ? "Missing image size" : stream.Error);
    }
    if (!limits.Allows(width, height)) {
        ThrowTiffError("Image exceeds the size limit");
    }
    layout.Width = static_cast<int>(width);
    layout.Height = static_cast<int>(height);
    layout.Bits = Field<std::uint16_t>(tiff, TIFFTAG_BITSPERSAMPLE, 1);
    layout.Samples = Field<std::uint16_t>(tiff, TIFFTAG_SAMPLESPERPIXEL, 1);
    const int format = Field<std::uint16_t>(tiff, TIFFTAG_SAMPLEFORMAT, SAMPLEFORMAT_UINT);
    const int compression = Field<std::uint16_t>(tiff, TIFFTAG_COMPRESSION, COMPRESSION_NONE);
    layout.Planar = Field<std::uint16_t>(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) ==
                    PLANARCONFIG_SEPARATE;
    std::uint16_t photometric = 0;
    if (!TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric)) {
        photometric = layout.Samples >= 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK;
    }
    if (!Supported(compression)) {
        ThrowTiffError("Unsupported compression");
    }
    const int bits = layout.Bits;
    if ((bits != 1 && bits != 2 && bits != 4 && bits != 8 && bits != 16) ||
        (format != SAMPLEFORMAT_UINT && format != SAMPLEFORMAT_VOID)) {
        ThrowTiffError("Unsupported sample format");
    }
    switch (photometric) {
    case PHOTOMETRIC_MINISBLACK: layout.Kind = Model::Grey; layout.Colours = 1; break;
    case PHOTOMETRIC_MINISWHITE: layout.Kind = Model::GreyInverted; layout.Colours = 1; break;
    case PHOTOMETRIC_RGB: layout.Kind = Model::Rgb; layout.Colours = 3; break;
    case PHOTOMETRIC_PALETTE: layout.Kind = Model::Palette; layout.Colours = 1; break;
    case PHOTOMETRIC_SEPARATED:
        if (Field<std::uint16_t>(tiff, TIFFTAG_INKSET, INKSET_CMYK) != INKSET_CMYK) {
            ThrowTiffError("Unsupported ink set");
        }
        layout.Kind = Model::Cmyk;
        layout.Colours = 4;
        break;
    case PHOTOMETRIC_YCBCR:
        // libjpeg turns JPEG-coded YCbCr into RGB; other YCbCr is not read.
        if (compression != COMPRESSION_JPEG ||
            !TIFFSetField(tiff, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB)) {
            ThrowTiffError("Unsupported YCbCr picture");
        }
        layout.Kind = Model::Rgb;
        layout.Colours = 3;
        break;
    default: ThrowTiffError("Unsupported photometric interpretation");
    }
    if (layout.Samples < layout.Colours || layout.Samples > 8) {
        ThrowTiffError("Unsupported samples per pixel");
    }
    if (compression == COMPRESSION_JPEG && bits != 8) {
        ThrowTiffError("Unsupported sample format");
    }
    if (layout.Kind == Model::Palette) {
        std::uint16_t* red = nullptr;
        std::uint16_t* green = nullptr;
        std::uint16_t* blue = nullptr;
        if (!TIFFGetField(tiff, TIFFTAG_COLORMAP, &red, &green, &blue)) {
            ThrowTiffError("Missing colour map");
        }
        layout.Map[0] = red;
        layout.Map[1] = green;
        layout.Map[2] = blue;
    }
    std::uint16_t extraCount = 0;
    std::uint16_t* extra = nullptr;
    if (layout.Samples > layout.Colours &&
        TIFFGetField(tiff, TIFFTAG_EXTRASAMPLES, &extraCount, &extra) && extraCount > 0 &&
        (extra[0] == EXTRASAMPLE_ASSOCALPHA || extra[0] == EXTRASAMPLE_UNASSALPHA)) {
        layout.AlphaSample = layout.Colours;
        layout.Premultiplied = extra[0] == EXTRASAMPLE_ASSOCALPHA;
    }

    layout.Tiled = TIFFIsTiled(tiff) != 0;
    if (layout.Tiled) {
        std::uint32_t tileWidth = 0;
        std::uint32_t tileLength = 0;
        TIFFGetField(tiff, TIFFTAG_TILEWIDTH, &tileWidth);
        TIFFGetField(tiff, TIFFTAG_TILELENGTH, &tileLength);
        if (tileWidth == 0 || tileLength == 0 || tileWidth > Image::kMaxSide ||
            tileLength > Image::kMaxSide) {
            ThrowTiffError("Bad tile size");
        }
        layout.ChunkWidth = static_cast<int>(tileWidth);
        layout.ChunkHeight = static_cast<int>(tileLength);
    } else {
        const std::uint32_t rows = Field<std::uint32_t>(tiff, TIFFTAG_ROWSPERSTRIP, height);
        layout.ChunkWidth = layout.Width;
        layout.ChunkHeight = static_cast<int>(std::clamp<std::uint32_t>(rows, 1, height));
    }

    // Refused before anything is allocated for the pixels: the coded data
    // of every strip or tile together must be able to give the raw rows.
    const std::uint32_t chunks = TIFFNumberOfStrips(tiff);
    std::uint64_t coded = 0;
    for (std::uint32_t i = 0; i < chunks && coded < fileBytes; ++i) {
        coded += TIFFGetStrileByteCount(tiff, i);
    }
    coded = std::min(coded, fileBytes);
    const std::int64_t pixels = std::int64_t{layout.Width} * layout.Height;
    const std::uint64_t raw =
        (static_cast<std::uint64_t>(pixels) * layout.Samples * bits + 7) / 8;
    if (pixels > limits.FreePixels && raw > ExpansionOf(compression) * coded) {
        ThrowTiffError("Not enough image data");
    }
    return layout;
}

// Samples of one decoded strip or tile, unpacked to 16-bit values in a band
// of rows of the whole width: every sample of a pixel side by side.
class Band {
public:
    explicit Band(const Layout& layout)
        : layout_(layout),
          values_(static_cast<std::size_t>(layout.ChunkHeight) * layout.Width * layout.Samples)
    {
    }

    // Unpacks a chunk of rows rows whose left edge is column left, holding
    // the samples from first on (count of them per pixel).
    void Put(const std::uint8_t* chunk, int rows, int left, int first, int count)
    {
        const int bits = layout_.Bits;
        const std::size_t rowBytes =
            (static_cast<std::size_t>(layout_.ChunkWidth) * count * bits + 7) / 8;
        const int width = std::min(layout_.ChunkWidth, layout_.Width - left);
        for (int y = 0; y < rows; ++y) {
            const std::uint8_t* in = chunk + rowBytes * static_cast<std::size_t>(y);
            std::uint16_t* out = Row(y) + static_cast<std::size_t>(left) * layout_.Samples + first;
            if (bits == 8) {
                for (int x = 0; x < width; ++x, out += layout_.Samples, in += count) {
                    std::copy_n(in, count, out);
                }
            } else if (bits == 16) {
                // libtiff delivers the samples in the machine's byte order.
                for (int x = 0; x < width; ++x, out += layout_.Samples, in += 2 * count) {
                    std::memcpy(out, in, 2 * static_cast<std::size_t>(count));
                }
            } else {
                const unsigned mask = (1u << bits) - 1;
                std::size_t bit = 0;
                for (int x = 0; x < width; ++x, out += layout_.Samples) {
                    for (int s = 0; s < count; ++s, bit += static_cast<std::size_t>(bits)) {
                        out[s] = static_cast<std::uint16_t>(
                            (in[bit / 8] >> (8 - bits - static_cast<int>(bit % 8))) & mask);
                    }
                }
            }
        }
    }

    std::uint16_t* Row(int y)
    {
        return values_.data() + static_cast<std::size_t>(y) * layout_.Width * layout_.Samples;
    }

private:
    const Layout& layout_;
    std::vector<std::uint16_t> values_;
};

// 16-bit values of b bits to 8 by rounding v * 255 / (2^b - 1): for b = 16
// through the formula, otherwise through a table.
class Scale {
public:
    explicit Scale(int bits) : max_((1u << bits) - 1)
    {
        for (std::uint32_t v = 0; v <= std::min<std::uint32_t>(max_, 255); ++v) {
            table_[v] = Rounded(v);
        }
    }
    std::uint8_t operator()(std::uint32_t v) const { return max_ <= 255 ? table_[v] : Rounded(v); }
    std::uint32_t Max() const { return max_; }

private:
    // 2 * 255 * v / max is never odd, so no value falls halfway.
    std::uint8_t Rounded(std::uint32_t v) const
    {
        return static_cast<std::uint8_t>((std::uint64_t{v} * 510 + max_) / (2 * std::uint64_t{max_}));
    }
    std::uint32_t max_;
    std::array<std::uint8_t, 256> table_{};
};

// Writes the band's rows to the picture (or for CMYK to ink).
class RowWriter {
public:
    RowWriter(const Layout& layout, Rgb background, DecodedSource& source)
        : layout_(layout), scale_(layout.Bits), background_(background), source_(source),
          inkRow_(4 * static_cast<std::size_t>(layout.Width))
    {
    }

    void Write(const std::uint16_t* values, int y)
    {
        std::uint8_t* out = source_.Picture.Row(y);
        const int samples = layout_.Samples;
        const std::uint32_t max = scale_.Max();
        const bool alpha = layout_.AlphaSample >= 0;
        switch (layout_.Kind) {
        case Model::Grey:
        case Model::GreyInverted:
            for (int x = 0; x < layout_.Width; ++x, values += samples, out += 3) {
                const std::uint32_t v = layout_.Kind == Model::Grey ? values[0] : max - values[0];
                if (alpha) {
                    out[0] = Composite(v, values[1], max, max, background_.Blue, layout_.Premultiplied);
                    out[1] = Composite(v, values[1], max, max, background_.Green, layout_.Premultiplied);
                    out[2] = Composite(v, values[1], max, max, background_.Red, layout_.Premultiplied);
                } else {
                    out[0] = out[1] = out[2] = scale_(v);
                }
            }
            break;
        case Model::Rgb:
            for (int x = 0; x < layout_.Width; ++x, values += samples, out += 3) {
                if (alpha) {
                    const std::uint32_t a = values[3];
                    out[0] = Composite(values[2], a, max, max, background_.Blue, layout_.Premultiplied);
                    out[1] = Composite(values[1], a, max, max, background_.Green, layout_.Premultiplied);
                    out[2] = Composite(values[0], a, max, max, background_.Red, layout_.Premultiplied);
                } else {
                    out[0] = scale_(values[2]);
                    out[1] = scale_(values[1]);
                    out[2] = scale_(values[0]);
                }
            }
            break;
        case Model::Palette:
            for (int x = 0; x < layout_.Width; ++x, values += samples, out += 3) {
                const std::uint32_t index = values[0];
                const std::uint8_t backs[3] = {background_.Red, background_.Green, background_.Blue};
                for (int c = 0; c < 3; ++c) {
                    const std::uint32_t entry = layout_.Map[c][index];
                    out[2 - c] = alpha ? Composite(entry, values[1], 65535, max, backs[c],
                                                   layout_.Premultiplied)
                                       : Composite(entry, 65535, 65535, 65535, 0, false);
                }
            }
            break;
        case Model::Cmyk: {
            std::uint8_t* ink = source_.Ink.empty()
                                    ? inkRow_.data()
                                    : source_.Ink.data() + 4 * static_cast<std::size_t>(layout_.Width) * y;
            for (int x = 0; x < layout_.Width; ++x, values += samples) {
                for (int c = 0; c < 4; ++c) {
                    // Paper is no ink.
                    ink[4 * x + c] = alpha ? Composite(values[c], values[4], max, max, 0,
                                                       layout_.Premultiplied)
                                           : scale_(values[c]);
                }
            }
            if (source_.Ink.empty()) {
                colour::InkToBgr(ink, out, layout_.Width, false);
            }
            break;
        }
        }
    }

private:
    const Layout& layout_;
    Scale scale_;
    Rgb background_;
    DecodedSource& source_;
    std::vector<std::uint8_t> inkRow_;
};

void ReadPixels(TIFF* tiff, TiffStream& stream, const Layout& layout, RowWriter& writer)
{
    const tmsize_t chunkBytes = layout.Tiled ? TIFFTileSize(tiff) : TIFFStripSize(tiff);
    if (chunkBytes <= 0) {
        ThrowTiffError(stream.Error.empty() ? "Bad strip size" : stream.Error);
    }
    const int planes = layout.Planar ? layout.Samples : 1;
    const int perPlane = layout.Planar ? 1 : layout.Samples;
    const std::size_t needed =
        (static_cast<std::size_t>(layout.ChunkWidth) * perPlane * layout.Bits + 7) / 8 *
        static_cast<std::size_t>(layout.ChunkHeight);
    if (static_cast<std::size_t>(chunkBytes) < needed) {
        ThrowTiffError("Bad strip size");
    }
    std::vector<std::uint8_t> chunk(static_cast<std::size_t>(chunkBytes));
    Band band(layout);
    for (int top = 0; top < layout.Height; top += layout.ChunkHeight) {
        const int rows = std::min(layout.ChunkHeight, layout.Height - top);
        for (int plane = 0; plane < planes; ++plane) {
            for (int left = 0; left < layout.Width; left += layout.ChunkWidth) {
                const auto x = static_cast<std::uint32_t>(left);
                const auto y = static_cast<std::uint32_t>(top);
                const auto p = static_cast<std::uint16_t>(plane);
                const tmsize_t got =
                    layout.Tiled
                        ? TIFFReadEncodedTile(tiff, TIFFComputeTile(tiff, x, y, 0, p), chunk.data(), chunkBytes)
                        : TIFFReadEncodedStrip(tiff, TIFFComputeStrip(tiff, y, p), chunk.data(), chunkBytes);
                if (got < 0) {
                    ThrowTiffError(stream.Error.empty() ? "Cannot read the image data" : stream.Error);
                }
                band.Put(chunk.data(), rows, left, plane, perPlane);
            }
        }
        for (int y = 0; y < rows; ++y) {
            writer.Write(band.Row(y), top + y);
        }
    }
}

// 8-bit RGB in strips, the common case, straight into the picture's rows:
// libtiff decodes each strip in place and red and blue swap there.
bool IsPlainRgb(const Layout& layout)
{
    return layout.Kind == Model::Rgb && layout.Bits == 8 && layout.Samples == 3 &&
           !layout.Tiled && !layout.Planar;
}

void ReadPlainRgb(TIFF* tiff, TiffStream& stream, const Layout& layout, Image& picture)
{
    for (int top = 0; top < layout.Height; top += layout.ChunkHeight) {
        const int rows = std::min(layout.ChunkHeight, layout.Height - top);
        std::uint8_t* first = picture.Row(top);
        const auto bytes = static_cast<tmsize_t>(picture.RowBytes() * static_cast<std::size_t>(rows));
        const tmsize_t got = TIFFReadEncodedStrip(
            tiff, TIFFComputeStrip(tiff, static_cast<std::uint32_t>(top), 0), first, bytes);
        if (got < 0) {
            ThrowTiffError(stream.Error.empty() ? "Cannot read the image data" : stream.Error);
        }
        // A strip that decodes short leaves the rest of its rows black.
        std::fill(first + got, first + bytes, std::uint8_t{0});
        for (tmsize_t i = 0; i + 2 < bytes; i += 3) {
            std::swap(first[i], first[i + 2]);
        }
    }
}

}  // namespace

bool IsTiff(std::span<const std::uint8_t> file)
{
    if (file.size() < 4) {
        return false;
    }
    const bool little = file[0] == 'I' && file[1] == 'I' && file[3] == 0 &&
                        (file[2] == 42 || file[2] == 43);
    const bool big = file[0] == 'M' && file[1] == 'M' && file[2] == 0 &&
                     (file[3] == 42 || file[3] == 43);
    return little || big;
}

DecodedSource DecodeTiffSource(std::span<const std::uint8_t> file, const DecodeOptions& options)
{
    if (!IsTiff(file)) {
        ThrowTiffError("Not a TIFF file");
    }
    TiffStream stream(file);
    const std::int64_t maxAllocation =
        std::min<std::int64_t>(8 * options.Limits.MaxPixels, std::int64_t{1} << 31);
    const TiffHandle tiff(stream.Open("r", maxAllocation));
    if (!tiff) {
        ThrowTiffError(stream.Error);
    }
    const Layout layout = ReadLayout(tiff.get(), stream, options.Limits, file.size());

    DecodedSource source;
    source.Grey = layout.Kind == Model::Grey || layout.Kind == Model::GreyInverted;
    if (options.AutoOrient) {
        source.Orientation = Field<std::uint16_t>(tiff.get(), TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
    }
    std::uint32_t profileSize = 0;
    void* profile = nullptr;
    if (options.Colour != ColourHandling::Raw &&
        TIFFGetField(tiff.get(), TIFFTAG_ICCPROFILE, &profileSize, &profile) && profile != nullptr) {
        const auto* bytes = static_cast<const std::uint8_t*>(profile);
        source.Colour.Icc.assign(bytes, bytes + profileSize);
    }
    source.Picture = Image::Unfilled(layout.Width, layout.Height);
    if (layout.Kind == Model::Cmyk && !source.Colour.Icc.empty()) {
        source.Ink.resize(4 * static_cast<std::size_t>(layout.Width) * layout.Height);
    }
    if (IsPlainRgb(layout)) {
        ReadPlainRgb(tiff.get(), stream, layout, source.Picture);
        return source;
    }
    RowWriter writer(layout, BackgroundOf(options), source);
    ReadPixels(tiff.get(), stream, layout, writer);
    return source;
}

}  // namespace qm
