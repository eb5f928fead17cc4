// SPDX-License-Identifier: MIT
#include "imageio/HeifReader.h"

#include <libheif/heif.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>

#include "core/Errors.h"
#include "core/Format.h"
#include "core/Translate.h"
#include "imageio/Composite.h"

namespace qm {
namespace {

[[noreturn]] void ThrowHeifError(const std::string& reason)
{
    throw ErrorMessage(Format(T("HEIF エラー: %s"), {reason}));
}

void Check(const heif_error& error)
{
    if (error.code != heif_error_Ok) {
        ThrowHeifError(error.message != nullptr ? error.message : "Decoding failed");
    }
}

// libheif's codecs register once for the whole program.
void InitLibheif()
{
    static const bool ready = [] {
        heif_init(nullptr);
        return true;
    }();
    (void)ready;
}

struct ContextDeleter {
    void operator()(heif_context* context) const { heif_context_free(context); }
};
struct HandleDeleter {
    void operator()(heif_image_handle* handle) const { heif_image_handle_release(handle); }
};
struct ImageDeleter {
    void operator()(heif_image* image) const { heif_image_release(image); }
};
struct OptionsDeleter {
    void operator()(heif_decoding_options* options) const { heif_decoding_options_free(options); }
};

void CheckSize(const DecodeLimits& limits, std::int64_t width, std::int64_t height,
               std::uint64_t fileBytes)
{
    if (!limits.Allows(width, height)) {
        ThrowHeifError("Image exceeds the size limit");
    }
    if (!limits.DataCouldHold(width * height, fileBytes, kPixelsPerCodedByte)) {
        ThrowHeifError("Not enough image data");
    }
}

colour::EmbeddedColour ColourOf(const heif_image_handle* handle)
{
    colour::EmbeddedColour colour;
    const std::size_t size = heif_image_handle_get_raw_color_profile_size(handle);
    if (size > 0) {
        colour.Icc.resize(size);
        if (heif_image_handle_get_raw_color_profile(handle, colour.Icc.data()).code ==
            heif_error_Ok) {
            return colour;
        }
        colour.Icc.clear();
    }
    heif_color_profile_nclx* nclx = nullptr;
    if (heif_image_handle_get_nclx_color_profile(handle, &nclx).code == heif_error_Ok &&
        nclx != nullptr) {
        colour.Cicp = colour::CicpColour{nclx->color_primaries, nclx->transfer_characteristics,
                                         nclx->matrix_coefficients};
    }
    heif_nclx_color_profile_free(nclx);
    return colour;
}

// Rows of 8-bit red, green, blue (and alpha) samples to the picture.
void Put8(const std::uint8_t* plane, int stride, bool alpha, bool premultiplied, Rgb background,
          Image& picture)
{
    for (int y = 0; y < picture.Height(); ++y) {
        const std::uint8_t* in = plane + static_cast<std::ptrdiff_t>(stride) * y;
        std::uint8_t* out = picture.Row(y);
        if (alpha) {
            CompositeRow(in, out, picture.Width(), background, premultiplied);
            continue;
        }
        for (int x = 0; x < picture.Width(); ++x, in += 3, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    }
}

// Rows of 16-bit little-endian samples holding bits bits each.
void PutWide(const std::uint8_t* plane, int stride, int bits, bool alpha, bool premultiplied,
             Rgb background, Image& picture)
{
    const std::uint32_t max = (std::uint32_t{1} << bits) - 1;
    const int channels = alpha ? 4 : 3;
    const std::uint8_t back[3] = {background.Red, background.Green, background.Blue};
    for (int y = 0; y < picture.Height(); ++y) {
        const std::uint8_t* in = plane + static_cast<std::ptrdiff_t>(stride) * y;
        std::uint8_t* out = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x, in += 2 * channels, out += 3) {
            const auto sample = [&](int c) {
                return std::min<std::uint32_t>(std::uint32_t{in[2 * c]} | std::uint32_t{in[2 * c + 1]} << 8, max);
            };
            for (int c = 0; c < 3; ++c) {
                out[2 - c] = alpha ? Composite(sample(c), sample(3), max, max, back[c], premultiplied)
                                   : Composite(sample(c), max, max, max, 0, false);
            }
        }
    }
}

}  // namespace

bool IsHeif(std::span<const std::uint8_t> file)
{
    InitLibheif();
    const int length = static_cast<int>(std::min<std::size_t>(file.size(), 4096));
    return length >= 12 && heif_check_filetype(file.data(), length) == heif_filetype_yes_supported;
}

DecodedSource DecodeHeifSource(std::span<const std::uint8_t> file, const DecodeOptions& options)
{
    InitLibheif();
    if (file.size() > static_cast<std::size_t>(INT_MAX) || !IsHeif(file)) {
        ThrowHeifError("Not a HEIF file");
    }
    const std::unique_ptr<heif_context, ContextDeleter> context(heif_context_alloc());
    if (!context) {
        ThrowHeifError("Out of memory");
    }
    heif_context_set_maximum_image_size_limit(context.get(), options.Limits.MaxSide);
    Check(heif_context_read_from_memory_without_copy(context.get(), file.data(), file.size(),
                                                      nullptr));
    heif_image_handle* rawHandle = nullptr;
    Check(heif_context_get_primary_image_handle(context.get(), &rawHandle));
    const std::unique_ptr<heif_image_handle, HandleDeleter> handle(rawHandle);
    // The coded size before the transformations and the size after them.
    CheckSize(options.Limits, heif_image_handle_get_ispe_width(handle.get()),
              heif_image_handle_get_ispe_height(handle.get()), file.size());
    CheckSize(options.Limits, heif_image_handle_get_width(handle.get()),
              heif_image_handle_get_height(handle.get()), file.size());

    const bool alpha = heif_image_handle_has_alpha_channel(handle.get()) != 0;
    const bool premultiplied = heif_image_handle_is_premultiplied_alpha(handle.get()) != 0;
    const int bits = heif_image_handle_get_luma_bits_per_pixel(handle.get());
    const bool wide = bits > 8;
    const heif_chroma chroma = wide ? (alpha ? heif_chroma_interleaved_RRGGBBAA_LE
                                             : heif_chroma_interleaved_RRGGBB_LE)
                                    : (alpha ? heif_chroma_interleaved_RGBA
                                             : heif_chroma_interleaved_RGB);
    const std::unique_ptr<heif_decoding_options, OptionsDeleter> decoding(
        heif_decoding_options_alloc());
    if (!decoding) {
        ThrowHeifError("Out of memory");
    }
    decoding->ignore_transformations = options.AutoOrient ? 0 : 1;
    heif_image* rawImage = nullptr;
    Check(heif_decode_image(handle.get(), &rawImage, heif_colorspace_RGB, chroma, decoding.get()));
    const std::unique_ptr<heif_image, ImageDeleter> image(rawImage);
    const int width = heif_image_get_primary_width(image.get());
    const int height = heif_image_get_primary_height(image.get());
    if (!options.Limits.Allows(width, height)) {
        ThrowHeifError("Image exceeds the size limit");
    }
    int stride = 0;
    const std::uint8_t* plane =
        heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    const int sampleBits = heif_image_get_bits_per_pixel_range(image.get(), heif_channel_interleaved);
    if (plane == nullptr || (wide && (sampleBits <= 8 || sampleBits > 16))) {
        ThrowHeifError("Unexpected pixel layout");
    }

    DecodedSource source;
    source.Picture = Image::Unfilled(width, height);
    const Rgb background = BackgroundOf(options);
    if (wide) {
        PutWide(plane, stride, sampleBits, alpha, premultiplied, background, source.Picture);
    } else {
        Put8(plane, stride, alpha, premultiplied, background, source.Picture);
    }
    if (options.Colour != ColourHandling::Raw) {
        source.Colour = ColourOf(handle.get());
    }
    return source;
}

}  // namespace qm
