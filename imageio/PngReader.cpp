// SPDX-License-Identifier: MIT
#include "imageio/PngReader.h"

#include <cstring>
#include <vector>

#include "imageio/Composite.h"
#include "imageio/ExifOrientation.h"
#include "imageio/PngError.h"
#include "imageio/PngImageData.h"

namespace qm {
namespace {

// Upper bound of any ancillary chunk libpng keeps in memory.
constexpr png_alloc_size_t kMaxChunkBytes = 8'000'000;

struct MemorySource {
    const std::uint8_t* Data;
    std::size_t Size;
    std::size_t Position;
};

void ReadFromMemory(png_structp png, png_bytep out, std::size_t length)
{
    auto* source = static_cast<MemorySource*>(png_get_io_ptr(png));
    if (source->Size - source->Position < length) {
        png_error(png, "Unexpected end of file");
    }
    std::memcpy(out, source->Data + source->Position, length);
    source->Position += length;
}

// Everything libpng touches, trivially destructible, so that it can live
// outside the functions that set the jump target.
struct PngDecoder {
    png_structp Png;
    png_infop Info;
    PngErrorText Error;
    MemorySource Source;
    png_uint_32 Width;
    png_uint_32 Height;
    png_size_t RowBytes;
    // As the file stores its pixels, before any conversion.
    int FileBitsPerPixel;
    bool Interlaced;
    bool Grey;
    // Rows come with their alpha, red, green, blue and alpha, to be laid
    // on a background.
    bool Alpha;
    // The iCCP chunk's profile, held by libpng; null without one.
    png_bytep Profile;
    png_uint_32 ProfileSize;
};

// Reads the chunks up to the image data and asks for 8-bit blue-green-red
// rows whatever the file holds (red, green, blue, alpha for a picture with
// alpha or transparency to lay on a background). Returns false after
// libpng failed; the reason is then in decoder.Error.
bool ReadHeader(PngDecoder& decoder, const DecodeLimits& limits, bool readProfile,
                bool keepAlpha)
{
    png_structp png = decoder.Png;
    png_infop info = decoder.Info;
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_set_user_limits(png, static_cast<png_uint_32>(limits.MaxSide),
                        static_cast<png_uint_32>(limits.MaxSide));
    png_set_chunk_malloc_max(png, kMaxChunkBytes);
    // Only the colour is used: every chunk but IHDR, PLTE, tRNS, IDAT and
    // IEND is skipped unread.
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    if (readProfile) {
        static const png_byte kIccp[] = "iCCP";
        png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_AS_DEFAULT, kIccp, 1);
    }
    png_set_read_fn(png, &decoder.Source, ReadFromMemory);
    png_read_info(png, info);
    decoder.FileBitsPerPixel = png_get_bit_depth(png, info) * png_get_channels(png, info);
    decoder.Interlaced = png_get_interlace_type(png, info) != PNG_INTERLACE_NONE;
    const int colourType = png_get_color_type(png, info);
    decoder.Grey = (colourType & PNG_COLOR_MASK_COLOR) == 0;
    decoder.Alpha = keepAlpha && ((colourType & PNG_COLOR_MASK_ALPHA) != 0 ||
                                  png_get_valid(png, info, PNG_INFO_tRNS) != 0);
    png_charp name = nullptr;
    int compression = 0;
    if (readProfile && png_get_iCCP(png, info, &name, &compression, &decoder.Profile,
                                    &decoder.ProfileSize) == 0) {
        decoder.Profile = nullptr;
    }
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    // Expanded, transparency is an alpha channel of its own.
    if (!decoder.Alpha) {
        png_set_strip_alpha(png);
        // Grey pixels read the same in either channel order.
        if (!decoder.Grey) {
            png_set_bgr(png);
        }
    }
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    decoder.Width = png_get_image_width(png, info);
    decoder.Height = png_get_image_height(png, info);
    decoder.RowBytes = png_get_rowbytes(png, info);
    return true;
}

bool ReadRows(PngDecoder& decoder, png_bytepp rows)
{
    if (setjmp(png_jmpbuf(decoder.Png)) != 0) {
        return false;
    }
    png_read_image(decoder.Png, rows);
    return true;
}

// Releases libpng's structures on every way out.
class DecoderGuard {
public:
    explicit DecoderGuard(PngDecoder& decoder) : decoder_(decoder) {}
    ~DecoderGuard() { png_destroy_read_struct(&decoder_.Png, &decoder_.Info, nullptr); }
    DecoderGuard(const DecoderGuard&) = delete;
    DecoderGuard& operator=(const DecoderGuard&) = delete;

private:
    PngDecoder& decoder_;
};

}  // namespace

Image DecodePng(std::span<const std::uint8_t> file, const DecodeLimits& limits)
{
    DecodeOptions options;
    options.Limits = limits;
    return DecodePngSource(file, options).Picture;
}

DecodedSource DecodePngSource(std::span<const std::uint8_t> file, const DecodeOptions& options)
{
    const DecodeLimits& limits = options.Limits;
    PngDecoder decoder{};
    decoder.Source = MemorySource{file.data(), file.size(), 0};
    decoder.Png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &decoder.Error, PngErrorJump,
                                         PngIgnoreWarning);
    const DecoderGuard guard(decoder);
    if (decoder.Png != nullptr) {
        decoder.Info = png_create_info_struct(decoder.Png);
    }
    if (decoder.Info == nullptr) {
        ThrowPngError("Out of memory");
    }
    if (!ReadHeader(decoder, limits, options.Colour != ColourHandling::Raw,
                    options.Background.has_value())) {
        ThrowPngError(decoder.Error.Text);
    }
    if (!limits.Allows(decoder.Width, decoder.Height)) {
        ThrowPngError("Image exceeds the size limit");
    }
    // Refused before the picture is allocated with the reason libpng would
    // give once the data ran out.
    const PngImageData data = FindPngImageData(file);
    if (PngRawBytes(decoder.Width, decoder.Height, decoder.FileBitsPerPixel, decoder.Interlaced) >
        kMaxDeflateRatio * data.Bytes) {
        ThrowPngError(data.CutShort ? "Unexpected end of file" : "Not enough image data");
    }
    // libpng writes every row whole, but merges each pass of an interlaced
    // picture into the pixels already there.
    const int width = static_cast<int>(decoder.Width);
    const int height = static_cast<int>(decoder.Height);
    DecodedSource source;
    source.Grey = decoder.Grey;
    source.Orientation = options.AutoOrient ? ExifOrientation(file) : 1;
    if (decoder.Profile != nullptr) {
        source.Colour.Icc.assign(decoder.Profile, decoder.Profile + decoder.ProfileSize);
    }
    Image& image = source.Picture;
    image = decoder.Interlaced && !decoder.Alpha ? Image(width, height)
                                                 : Image::Unfilled(width, height);
    const std::size_t rowBytes = decoder.Alpha ? 4 * std::size_t{decoder.Width} : image.RowBytes();
    if (decoder.RowBytes != rowBytes) {
        ThrowPngError("Unexpected row layout");
    }
    // Rows with alpha are read whole (the passes of an interlaced picture
    // land in them) and then laid on the background.
    std::vector<std::uint8_t> withAlpha;
    if (decoder.Alpha) {
        withAlpha.assign(rowBytes * decoder.Height, 0);
    }
    std::vector<png_bytep> rows(decoder.Height);
    for (int y = 0; y < height; ++y) {
        rows[y] = decoder.Alpha ? withAlpha.data() + rowBytes * y : image.Row(y);
    }
    if (!ReadRows(decoder, rows.data())) {
        ThrowPngError(decoder.Error.Text);
    }
    for (int y = 0; decoder.Alpha && y < height; ++y) {
        CompositeRow(rows[y], image.Row(y), width, *options.Background, false);
    }
    return source;
}

}  // namespace qm
