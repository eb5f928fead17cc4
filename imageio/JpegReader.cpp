// SPDX-License-Identifier: MIT
#include "imageio/JpegReader.h"

#include <algorithm>
#include <climits>

#include "imageio/JpegError.h"

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
bool ReadHeader(JpegDecoder& decoder, std::span<const std::uint8_t> file, long memoryLimit)
{
    if (setjmp(decoder.Error.Jump) != 0) {
        return false;
    }
    jpeg_create_decompress(&decoder.Info);
    decoder.Info.mem->max_memory_to_use = memoryLimit;
    decoder.Progress.progress_monitor = LimitScans;
    decoder.Info.progress = &decoder.Progress;
    jpeg_mem_src(&decoder.Info, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&decoder.Info, TRUE);
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

// Adobe applications store CMYK inverted (0 is full ink); others do not.
void ConvertCmyk(const JSAMPLE* cmyk, std::uint8_t* row, int width, bool inverted)
{
    for (int x = 0; x < width; ++x, cmyk += 4, row += 3) {
        int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        row[0] = static_cast<std::uint8_t>(y * k / 255);
        row[1] = static_cast<std::uint8_t>(m * k / 255);
        row[2] = static_cast<std::uint8_t>(c * k / 255);
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
    JSAMPARRAY scratch = nullptr;
    if (info->output_components == 4) {
        scratch = (*info->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(info), JPOOL_IMAGE,
                                             static_cast<JDIMENSION>(4 * width), 1);
    }
    while (info->output_scanline < info->output_height) {
        const int y = static_cast<int>(info->output_scanline);
        JSAMPROW row = scratch ? scratch[0] : image.Row(y);
        jpeg_read_scanlines(info, &row, 1);
        if (info->output_components == 4) {
            ConvertCmyk(row, image.Row(y), width, info->saw_Adobe_marker);
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
    ~DecoderGuard() { jpeg_destroy_decompress(&decoder_.Info); }
    DecoderGuard(const DecoderGuard&) = delete;
    DecoderGuard& operator=(const DecoderGuard&) = delete;

private:
    JpegDecoder& decoder_;
};

}  // namespace

Image DecodeJpeg(std::span<const std::uint8_t> file, const DecodeLimits& limits)
{
    JpegDecoder decoder{};
    decoder.Info.err = InitJpegErrorManager(decoder.Error);
    const DecoderGuard guard(decoder);
    const long memoryLimit = static_cast<long>(
        std::min<std::int64_t>(kWorkBytesPerPixel * limits.MaxPixels, LONG_MAX));
    if (!ReadHeader(decoder, file, memoryLimit)) {
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
    // Every scanline is written whole, or the decoding fails.
    Image image =
        Image::Unfilled(static_cast<int>(info.image_width), static_cast<int>(info.image_height));
    if (!ReadPixels(decoder, image)) {
        ThrowJpegError(decoder.Error.Base.msg_code);
    }
    return image;
}

}  // namespace qm
