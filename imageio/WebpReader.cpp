// SPDX-License-Identifier: MIT
#include "imageio/WebpReader.h"

#include <webp/decode.h>
#include <webp/demux.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/Errors.h"
#include "core/Format.h"
#include "core/Translate.h"
#include "imageio/Composite.h"
#include "imageio/ExifOrientation.h"

namespace qm {
namespace {

[[noreturn]] void ThrowWebpError(const std::string& reason)
{
    throw ErrorMessage(Format(T("WebP エラー: %s"), {reason}));
}

std::string ReasonOf(VP8StatusCode status)
{
    switch (status) {
    case VP8_STATUS_OUT_OF_MEMORY: return "Out of memory";
    case VP8_STATUS_INVALID_PARAM: return "Invalid parameter";
    case VP8_STATUS_BITSTREAM_ERROR: return "Bitstream error";
    case VP8_STATUS_UNSUPPORTED_FEATURE: return "Unsupported feature";
    case VP8_STATUS_NOT_ENOUGH_DATA: return "Unexpected end of file";
    default: return "Decoding failed";
    }
}

struct DemuxDeleter {
    void operator()(WebPDemuxer* demux) const { WebPDemuxDelete(demux); }
};

// The payload of the first chunk named fourcc; empty without one.
std::span<const std::uint8_t> ChunkOf(WebPDemuxer* demux, const char* fourcc)
{
    WebPChunkIterator chunk{};
    if (!WebPDemuxGetChunk(demux, fourcc, 1, &chunk)) {
        return {};
    }
    const std::span<const std::uint8_t> payload(chunk.chunk.bytes, chunk.chunk.size);
    WebPDemuxReleaseChunkIterator(&chunk);
    return payload;
}

// Decodes the bitstream of a frame to width x height pixels of mode at
// out, rows stride bytes apart.
void DecodeFrame(const WebPIterator& frame, WEBP_CSP_MODE mode, std::uint8_t* out,
                 std::size_t size, int stride)
{
    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config)) {
        ThrowWebpError("Decoder version mismatch");
    }
    config.options.use_threads = 1;
    config.output.colorspace = mode;
    config.output.is_external_memory = 1;
    config.output.u.RGBA.rgba = out;
    config.output.u.RGBA.stride = stride;
    config.output.u.RGBA.size = size;
    const VP8StatusCode status = WebPDecode(frame.fragment.bytes, frame.fragment.size, &config);
    WebPFreeDecBuffer(&config.output);
    if (status != VP8_STATUS_OK) {
        ThrowWebpError(ReasonOf(status));
    }
}

}  // namespace

bool IsWebp(std::span<const std::uint8_t> file)
{
    return file.size() >= 12 && std::memcmp(file.data(), "RIFF", 4) == 0 &&
           std::memcmp(file.data() + 8, "WEBP", 4) == 0;
}

DecodedSource DecodeWebpSource(std::span<const std::uint8_t> file, const DecodeOptions& options)
{
    if (!IsWebp(file)) {
        ThrowWebpError("Not a WebP file");
    }
    const WebPData data{file.data(), file.size()};
    const std::unique_ptr<WebPDemuxer, DemuxDeleter> demux(WebPDemux(&data));
    if (!demux) {
        ThrowWebpError(ReasonOf(VP8_STATUS_BITSTREAM_ERROR));
    }
    const int width = static_cast<int>(WebPDemuxGetI(demux.get(), WEBP_FF_CANVAS_WIDTH));
    const int height = static_cast<int>(WebPDemuxGetI(demux.get(), WEBP_FF_CANVAS_HEIGHT));
    if (!options.Limits.Allows(width, height)) {
        ThrowWebpError("Image exceeds the size limit");
    }
    if (!options.Limits.DataCouldHold(std::int64_t{width} * height, file.size(),
                                      kPixelsPerCodedByte)) {
        ThrowWebpError("Not enough image data");
    }
    WebPIterator frame{};
    if (!WebPDemuxGetFrame(demux.get(), 1, &frame)) {
        ThrowWebpError(ReasonOf(VP8_STATUS_NOT_ENOUGH_DATA));
    }
    const std::unique_ptr<WebPIterator, decltype(&WebPDemuxReleaseIterator)> release(
        &frame, WebPDemuxReleaseIterator);
    WebPBitstreamFeatures features{};
    if (WebPGetFeatures(frame.fragment.bytes, frame.fragment.size, &features) != VP8_STATUS_OK ||
        features.width != frame.width || features.height != frame.height ||
        frame.x_offset < 0 || frame.y_offset < 0 || frame.x_offset + frame.width > width ||
        frame.y_offset + frame.height > height) {
        ThrowWebpError(ReasonOf(VP8_STATUS_BITSTREAM_ERROR));
    }

    DecodedSource source;
    source.Picture = Image::Unfilled(width, height);
    const bool wholeCanvas = frame.width == width && frame.height == height;
    if (!features.has_alpha && wholeCanvas) {
        DecodeFrame(frame, MODE_BGR, source.Picture.Row(0),
                    source.Picture.RowBytes() * static_cast<std::size_t>(height),
                    static_cast<int>(source.Picture.RowBytes()));
    } else {
        // The frame on a transparent canvas, laid on the background.
        const std::size_t stride = 4 * static_cast<std::size_t>(width);
        std::vector<std::uint8_t> canvas(stride * static_cast<std::size_t>(height), 0);
        std::uint8_t* at = canvas.data() + stride * static_cast<std::size_t>(frame.y_offset) +
                           4 * static_cast<std::size_t>(frame.x_offset);
        DecodeFrame(frame, MODE_RGBA, at, canvas.size() - static_cast<std::size_t>(at - canvas.data()),
                    static_cast<int>(stride));
        const Rgb background = BackgroundOf(options);
        for (int y = 0; y < height; ++y) {
            CompositeRow(canvas.data() + stride * static_cast<std::size_t>(y),
                         source.Picture.Row(y), width, background, false);
        }
    }
    if (options.AutoOrient) {
        source.Orientation = ExifBlockOrientation(ChunkOf(demux.get(), "EXIF"));
    }
    if (options.Colour != ColourHandling::Raw) {
        const std::span<const std::uint8_t> icc = ChunkOf(demux.get(), "ICCP");
        source.Colour.Icc.assign(icc.begin(), icc.end());
    }
    return source;
}

}  // namespace qm
