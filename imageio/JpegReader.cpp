// SPDX-License-Identifier: MIT
#include "imageio/JpegReader.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "imageio/ExifOrientation.h"
#include "imageio/JpegError.h"
#include "imageio/colour/InkToBgr.h"

#include <jerror.h>

namespace qm {
namespace {

// A hostile progressive file can hold thousands of tiny scans, each of
// which costs a pass over the whole picture; real files have a few dozen.
constexpr int kMaxScans = 100;

// Worst case of libjpeg's own buffers per pixel: a progressive four-channel
// file keeps 2 bytes per coefficient for every channel.
constexpr long kWorkBytesPerPixel = 8;

// Everything libjpeg touches, trivially destructible, so that it can live
// outside the functions that set the jump target.
struct JpegDecoder {
    jpeg_decompress_struct Info;
    JpegErrorManager Error;
    jpeg_progress_mgr Progress;
    // The ICC profile of the APP2 segments, malloc'ed by libjpeg; null
    // when the file has none or it was not asked for.
    JOCTET* Profile;
    unsigned int ProfileSize;
    // The CMYK samples go to Ink rather than to the picture.
    std::uint8_t* Ink;
};

void LimitScans(j_common_ptr codec)
{
    auto* info = reinterpret_cast<j_decompress_ptr>(codec);
    if (info->input_scan_number > kMaxScans) {
        ERREXIT4(info, JERR_BAD_PROGRESSION, 0, 0, 0, 0);
    }
}

// True when the data after the first scan header could code every 8 x 8
// block of every component: Huffman coding spends at least one bit on each
// (its DC code; progressive files code all DC coefficients before anything
// else can be read, and may send the AC coefficients of thousands of blocks
// in a single code). Arithmetic coding can spend far less on a flat block,
// so its pictures up to limits.FreePixels pass unchecked.
bool ScansCanHoldTheBlocks(const jpeg_decompress_struct& info, const DecodeLimits& limits)
{
    if (info.arith_code &&
        std::int64_t{info.image_width} * info.image_height <= limits.FreePixels) {
        return true;
    }
    std::uint64_t blocks = 0;
    for (int c = 0; c < info.num_components; ++c) {
        blocks += std::uint64_t{info.comp_info[c].width_in_blocks} *
                  info.comp_info[c].height_in_blocks;
    }
    return blocks <= 8 * std::uint64_t{info.src->bytes_in_buffer};
}

// Each returns false after libjpeg failed; the message number is then in
// decoder.Error.Base.msg_code.
bool ReadHeader(JpegDecoder& decoder, std::span<const std::uint8_t> file, long memoryLimit,
                bool readProfile)
{
    if (setjmp(decoder.Error.Jump) != 0) {
        return false;
    }
    jpeg_create_decompress(&decoder.Info);
    decoder.Info.mem->max_memory_to_use = memoryLimit;
    decoder.Progress.progress_monitor = LimitScans;
    decoder.Info.progress = &decoder.Progress;
    jpeg_mem_src(&decoder.Info, file.data(), static_cast<unsigned long>(file.size()));
    if (readProfile) {
        jpeg_save_markers(&decoder.Info, JPEG_APP0 + 2, 0xffff);
    }
    jpeg_read_header(&decoder.Info, TRUE);
    if (readProfile && !jpeg_read_icc_profile(&decoder.Info, &decoder.Profile,
                                              &decoder.ProfileSize)) {
        decoder.Profile = nullptr;
    }
    return true;
}

void SwapRedBlue(std::uint8_t* row, int width)
{
    for (int x = 0; x < width; ++x, row += 3) {
        std::swap(row[0], row[2]);
    }
}

// Grey indices at the start of row become grey pixels, from the right so
// that no index is overwritten before it is read.
void ExpandGrey(const JSAMPARRAY colormap, std::uint8_t* row, int width)
{
    for (int x = width - 1; x >= 0; --x) {
        const std::uint8_t grey = colormap[0][row[x]];
        row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = grey;
    }
}

bool ReadPixels(JpegDecoder& decoder, Image& image)
{
    if (setjmp(decoder.Error.Jump) != 0) {
        return false;
    }
    j_decompress_ptr info = &decoder.Info;
    jpeg_start_decompress(info);
    const int width = image.Width();
    if (info->output_width != static_cast<JDIMENSION>(width) ||
        info->output_height != static_cast<JDIMENSION>(image.Height())) {
        ERREXIT(info, JERR_NOTIMPL);
    }
    JSAMPARRAY scratch = nullptr;
    if (info->output_components == 4 && decoder.Ink == nullptr) {
        scratch = (*info->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(info), JPOOL_IMAGE,
                                             static_cast<JDIMENSION>(4 * width), 1);
    }
    while (info->output_scanline < info->output_height) {
        const int y = static_cast<int>(info->output_scanline);
        JSAMPROW row = decoder.Ink != nullptr ? decoder.Ink + std::size_t{4} * width * y
                       : scratch                ? scratch[0]
                                                : image.Row(y);
        jpeg_read_scanlines(info, &row, 1);
        if (info->output_components == 4) {
            // Adobe applications store CMYK inverted (0 is full ink); others do not.
            if (decoder.Ink == nullptr) {
                colour::InkToBgr(row, image.Row(y), width, info->saw_Adobe_marker);
            }
        } else if (info->output_components == 1) {
            ExpandGrey(info->colormap, image.Row(y), width);
        } else {
            SwapRedBlue(image.Row(y), width);
        }
    }
    jpeg_finish_decompress(info);
    return true;
}

// Releases libjpeg's memory on every way out.
class DecoderGuard {
public:
    explicit DecoderGuard(JpegDecoder& decoder) : decoder_(decoder) {}
    ~DecoderGuard()
    {
        jpeg_destroy_decompress(&decoder_.Info);
        std::free(decoder_.Profile);
    }
    DecoderGuard(const DecoderGuard&) = delete;
    DecoderGuard& operator=(const DecoderGuard&) = delete;

private:
    JpegDecoder& decoder_;
};

// The smallest M from 1 to 8 whose scale M/8 gives at least the width and
// height options ask for, in the picture's oriented terms; 8 when none
// does or none is asked for.
int ScaleFor(jpeg_decompress_struct& info, const DecodeOptions& options, int orientation)
{
    const bool sideways = orientation >= 5;
    if (!options.MinSizeFor) {
        return 8;
    }
    const auto fullWidth = static_cast<int>(info.image_width);
    const auto fullHeight = static_cast<int>(info.image_height);
    const auto [minWidth, minHeight] = sideways ? options.MinSizeFor(fullHeight, fullWidth)
                                                : options.MinSizeFor(fullWidth, fullHeight);
    if (minWidth <= 0 && minHeight <= 0) {
        return 8;
    }
    const long wantedWidth = sideways ? minHeight : minWidth;
    const long wantedHeight = sideways ? minWidth : minHeight;
    for (int m = 1; m < 8; ++m) {
        // jdiv_round_up, as jpeg_calc_output_dimensions computes them.
        const long width = (long{info.image_width} * m + 7) / 8;
        const long height = (long{info.image_height} * m + 7) / 8;
        if (width >= wantedWidth && height >= wantedHeight) {
            return m;
        }
    }
    return 8;
}

}  // namespace

Image DecodeJpeg(std::span<const std::uint8_t> file, const DecodeLimits& limits)
{
    DecodeOptions options;
    options.Limits = limits;
    return DecodeJpegSource(file, options).Picture;
}

DecodedSource DecodeJpegSource(std::span<const std::uint8_t> file, const DecodeOptions& options)
{
    const DecodeLimits& limits = options.Limits;
    const bool readProfile = options.Colour != ColourHandling::Raw;
    JpegDecoder decoder{};
    decoder.Info.err = InitJpegErrorManager(decoder.Error);
    const DecoderGuard guard(decoder);
    const long memoryLimit = static_cast<long>(
        std::min<std::int64_t>(kWorkBytesPerPixel * limits.MaxPixels, LONG_MAX));
    if (!ReadHeader(decoder, file, memoryLimit, readProfile)) {
        ThrowJpegError(decoder.Error.Base.msg_code);
    }
    jpeg_decompress_struct& info = decoder.Info;
    if (!limits.Allows(info.image_width, info.image_height)) {
        ThrowJpegError(JERR_IMAGE_TOO_BIG);
    }
    if (!ScansCanHoldTheBlocks(info, limits)) {
        ThrowJpegError(JERR_INPUT_EOF);
    }
    if (info.out_color_space == JCS_GRAYSCALE) {
        info.quantize_colors = TRUE;
        info.desired_number_of_colors = kJpegGreyLevels;
    } else if (info.out_color_space != JCS_RGB && info.out_color_space != JCS_CMYK) {
        ThrowJpegError(JERR_CONVERSION_NOTIMPL);
    }
    DecodedSource source;
    source.Orientation = options.AutoOrient ? ExifOrientation(file) : 1;
    source.Grey = info.out_color_space == JCS_GRAYSCALE;
    if (decoder.Profile != nullptr) {
        source.Colour.Icc.assign(decoder.Profile, decoder.Profile + decoder.ProfileSize);
    }
    source.JpegScale = ScaleFor(info, options, source.Orientation);
    source.FullWidth = static_cast<int>(info.image_width);
    source.FullHeight = static_cast<int>(info.image_height);
    info.scale_num = static_cast<unsigned int>(source.JpegScale);
    info.scale_denom = 8;
    const int width = static_cast<int>((std::int64_t{info.image_width} * source.JpegScale + 7) / 8);
    const int height =
        static_cast<int>((std::int64_t{info.image_height} * source.JpegScale + 7) / 8);
    // Every scanline is written whole, or the decoding fails.
    source.Picture = Image::Unfilled(width, height);
    if (info.out_color_space == JCS_CMYK && !source.Colour.Icc.empty()) {
        source.Ink.resize(std::size_t{4} * static_cast<std::size_t>(width) * height);
        source.InkInverted = info.saw_Adobe_marker;
        decoder.Ink = source.Ink.data();
    }
    if (!ReadPixels(decoder, source.Picture)) {
        ThrowJpegError(decoder.Error.Base.msg_code);
    }
    return source;
}

}  // namespace qm
