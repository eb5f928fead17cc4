// SPDX-License-Identifier: MIT
#include "imageio/PngWriter.h"

#include <algorithm>
#include <ctime>
#include <new>
#include <string>

#include <zlib.h>

#include "core/Errors.h"
#include "imageio/ByteOrder.h"
#include "imageio/PngBands.h"
#include "imageio/PngError.h"
#include "imageio/Resolution.h"

namespace qm {
namespace {

constexpr std::uint32_t kGamma = 45455;  // image gamma 0.45455

// Payloads of the chunks written between IHDR and the image data.
struct ChunkPayloads {
    std::vector<std::uint8_t> Time;
    std::string Text;
    std::vector<std::uint8_t> Gamma;
    // Empty for a file without a resolution.
    std::vector<std::uint8_t> Resolution;
    // The chunk naming the colours ("iCCP" or "sRGB") and its payload;
    // no name for a file without.
    const char* ColourName = nullptr;
    std::vector<std::uint8_t> Colour;
};

std::vector<std::uint8_t> TimePayload(std::time_t now)
{
    std::tm utc{};
    gmtime_r(&now, &utc);
    const int year = utc.tm_year + 1900;
    return {static_cast<std::uint8_t>(year >> 8), static_cast<std::uint8_t>(year),
            static_cast<std::uint8_t>(utc.tm_mon + 1), static_cast<std::uint8_t>(utc.tm_mday),
            static_cast<std::uint8_t>(utc.tm_hour), static_cast<std::uint8_t>(utc.tm_min),
            static_cast<std::uint8_t>(utc.tm_sec)};
}

// Keyword, the separating zero byte, then the text.
std::string SoftwarePayload()
{
    std::string payload = "Software";
    payload.push_back('\0');
    payload += "Quillmore " QM_VERSION " (libpng ";
    payload += png_get_libpng_ver(nullptr);
    payload += ")";
    return payload;
}

// Profile name, zero byte, compression method 0, the zlib stream.
std::vector<std::uint8_t> IccpPayload(const std::vector<std::uint8_t>& profile)
{
    static constexpr char kName[] = "ICC profile";
    std::vector<std::uint8_t> payload(kName, kName + sizeof kName);
    payload.push_back(0);
    uLongf size = compressBound(static_cast<uLong>(profile.size()));
    const std::size_t start = payload.size();
    payload.resize(start + size);
    if (compress(payload.data() + start, &size, profile.data(), static_cast<uLong>(profile.size())) !=
        Z_OK) {
        ThrowPngError("Cannot compress the profile");
    }
    payload.resize(start + size);
    return payload;
}

ChunkPayloads MakePayloads(int dpi, const ColourTag& tag)
{
    ChunkPayloads payloads;
    payloads.Time = TimePayload(std::time(nullptr));
    payloads.Text = SoftwarePayload();
    AppendBe32(payloads.Gamma, kGamma);
    if (dpi > 0) {
        AppendBe32(payloads.Resolution, PixelsPerMetre(dpi));
        AppendBe32(payloads.Resolution, PixelsPerMetre(dpi));
        payloads.Resolution.push_back(1);  // unit: the metre
    }
    if (!tag.Profile.empty()) {
        payloads.ColourName = "iCCP";
        payloads.Colour = IccpPayload(tag.Profile);
    } else if (tag.Srgb) {
        payloads.ColourName = "sRGB";
        payloads.Colour = {0};  // perceptual
    }
    return payloads;
}

// Everything libpng touches, trivially destructible, so that it can live
// outside the function that sets the jump target.
struct PngEncoder {
    png_structp Png;
    png_infop Info;
    PngErrorText Error;
    std::vector<std::uint8_t>* Output;
};

void WriteToMemory(png_structp png, png_bytep data, std::size_t length)
{
    auto* encoder = static_cast<PngEncoder*>(png_get_io_ptr(png));
    bool outOfMemory = false;
    try {
        encoder->Output->insert(encoder->Output->end(), data, data + length);
    } catch (const std::bad_alloc&) {
        outOfMemory = true;
    }
    // Outside the handler: the jump must not leave a caught exception behind.
    if (outOfMemory) {
        png_error(png, "Out of memory");
    }
}

void FlushNothing(png_structp) {}

void WriteChunk(png_structp png, const char* name, const void* data, std::size_t size)
{
    png_write_chunk(png, reinterpret_cast<png_const_bytep>(name),
                    static_cast<png_const_bytep>(data), size);
}

// Returns false after libpng failed; the reason is then in encoder.Error.
// With imageData, the zlib stream of the rows made beforehand, libpng
// writes the chunks before and after the image data and imageData is cut
// into IDAT chunks of idatSize bytes as libpng cuts its own.
bool Compress(PngEncoder& encoder, const Image& image, int idatSize,
              const ChunkPayloads& payloads, const std::vector<std::uint8_t>* imageData)
{
    png_structp png = encoder.Png;
    png_infop info = encoder.Info;
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_set_write_fn(png, &encoder, WriteToMemory, FlushNothing);
    png_set_compression_buffer_size(png, static_cast<std::size_t>(idatSize));
    // Every row with the "up" filter rather than libpng's adaptive choice per
    // row: on tiles of a 2560x1600 photograph (bench/png_filter_bench, 20
    // tiles at cut 256) it took 56 % of the adaptive time for rectangle
    // tiles and 75 % for kaleidoscope tiles, and the files came out 15.7 %
    // and 7.5 % smaller; with sensor-like grain added, 72 % and 71 % of the
    // time and 4.1 % and 1.2 % smaller. No filter at all is faster still
    // but makes files 8 % to 51 % larger; sub, average and Paeth are
    // slower than up and larger.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
    // zlib's default strategy and memory level 9 rather than the Z_FILTERED
    // and level 8 libpng picks for filtered rows; the compression level stays
    // zlib's default. Up-filtered tiles of every method at cut 128
    // (bench/png_filter_bench, 20 tiles, median of 5, time and size against
    // libpng's choice): from resources/sample.jpg 70 % to 104 % of the time
    // and 8.5 % smaller (distorted square) to 2.7 % larger (kaleidoscope,
    // none), the rectangle 81 % and 4.1 % smaller; from shira_bird8.bmp 76 %
    // to 89 % of the time and 1.3 % (kaleidoscope) to 18.6 % (distorted
    // square) smaller. Z_RLE takes a fifth to a third of the time but makes
    // files up to 5 % larger than libpng's choice and 11 % larger than this.
    png_set_compression_strategy(png, Z_DEFAULT_STRATEGY);
    png_set_compression_mem_level(png, 9);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.Width()),
                 static_cast<png_uint_32>(image.Height()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // libpng would put gAMA straight after IHDR; writing the three chunks
    // ourselves keeps them in our order.
    png_write_info_before_PLTE(png, info);
    WriteChunk(png, "tIME", payloads.Time.data(), payloads.Time.size());
    WriteChunk(png, "tEXt", payloads.Text.data(), payloads.Text.size());
    WriteChunk(png, "gAMA", payloads.Gamma.data(), payloads.Gamma.size());
    if (payloads.ColourName != nullptr) {
        WriteChunk(png, payloads.ColourName, payloads.Colour.data(), payloads.Colour.size());
    }
    if (!payloads.Resolution.empty()) {
        WriteChunk(png, "pHYs", payloads.Resolution.data(), payloads.Resolution.size());
    }
    png_write_info(png, info);
    if (imageData != nullptr) {
        const std::size_t size = static_cast<std::size_t>(idatSize);
        for (std::size_t at = 0; at < imageData->size(); at += size) {
            WriteChunk(png, "IDAT", imageData->data() + at,
                       std::min(size, imageData->size() - at));
        }
        WriteChunk(png, "IEND", nullptr, 0);
        return true;
    }
    png_set_bgr(png);
    for (int y = 0; y < image.Height(); ++y) {
        png_write_row(png, image.Row(y));
    }
    png_write_end(png, nullptr);
    return true;
}

// Releases libpng's structures on every way out.
class EncoderGuard {
public:
    explicit EncoderGuard(PngEncoder& encoder) : encoder_(encoder) {}
    ~EncoderGuard() { png_destroy_write_struct(&encoder_.Png, &encoder_.Info); }
    EncoderGuard(const EncoderGuard&) = delete;
    EncoderGuard& operator=(const EncoderGuard&) = delete;

private:
    PngEncoder& encoder_;
};

void CheckIdatSize(int idatSize)
{
    if (idatSize < kPngMinIdatSize || idatSize > kPngMaxIdatSize) {
        throw ErrorMessage("Write PNG Param: Err IDAT Size(min:256  max:100000)");
    }
}

std::vector<std::uint8_t> EncodePngFile(const Image& image, int idatSize, int dpi,
                                        const ColourTag& tag,
                                        const std::vector<std::uint8_t>* imageData)
{
    CheckIdatSize(idatSize);
    const ChunkPayloads payloads = MakePayloads(dpi, tag);
    std::vector<std::uint8_t> output;
    if (imageData != nullptr) {
        // The image data and 12 bytes around each of its chunks, and room
        // for the small chunks: the file is never copied as it grows.
        const std::size_t chunks = imageData->size() / static_cast<std::size_t>(idatSize) + 1;
        output.reserve(imageData->size() + 12 * chunks + 1024);
    }
    PngEncoder encoder{};
    encoder.Output = &output;
    encoder.Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &encoder.Error, PngErrorJump,
                                          PngIgnoreWarning);
    const EncoderGuard guard(encoder);
    if (encoder.Png != nullptr) {
        encoder.Info = png_create_info_struct(encoder.Png);
    }
    if (encoder.Info == nullptr) {
        ThrowPngError("Out of memory");
    }
    if (!Compress(encoder, image, idatSize, payloads, imageData)) {
        ThrowPngError(encoder.Error.Text);
    }
    return output;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const Image& image, int idatSize, int dpi,
                                    const ColourTag& tag)
{
    return EncodePngFile(image, idatSize, dpi, tag, nullptr);
}

std::vector<std::uint8_t> EncodePngInBands(const Image& image, unsigned threads, int idatSize,
                                           int dpi, const ColourTag& tag)
{
    CheckIdatSize(idatSize);
    const std::vector<std::uint8_t> imageData = DeflateRowsInBands(image, threads);
    return EncodePngFile(image, idatSize, dpi, tag, &imageData);
}

}  // namespace qm
