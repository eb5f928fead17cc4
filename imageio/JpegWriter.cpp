// SPDX-License-Identifier: MIT
#include "imageio/JpegWriter.h"

#include <cstdlib>

#include "imageio/JpegError.h"
#include "imageio/colour/ProfileBytes.h"

namespace qm {
namespace {

// Everything libjpeg touches, trivially destructible, so that it can live
// outside the function that sets the jump target.
struct JpegEncoder {
    jpeg_compress_struct Info;
    JpegErrorManager Error;
    unsigned char* Output;  // malloc'ed by libjpeg's memory destination
    unsigned long OutputSize;
};

// Returns false after libjpeg failed; the message number is then in
// encoder.Error.Base.msg_code.
bool Compress(JpegEncoder& encoder, const Image& image, int quality, int dpi,
              const std::vector<std::uint8_t>* profile, JpegChroma chroma)
{
    if (setjmp(encoder.Error.Jump) != 0) {
        return false;
    }
    j_compress_ptr info = &encoder.Info;
    jpeg_create_compress(info);
    jpeg_mem_dest(info, &encoder.Output, &encoder.OutputSize);
    info->image_width = static_cast<JDIMENSION>(image.Width());
    info->image_height = static_cast<JDIMENSION>(image.Height());
    info->input_components = 3;
    // libjpeg-turbo reads the blue-green-red rows as they are and converts
    // them with the very arithmetic of its red-green-blue input: the same
    // file as from swapped rows, without a pass over every pixel to swap.
    info->in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(info);
    jpeg_set_quality(info, quality, TRUE);
    if (chroma == JpegChroma::Full444) {
        // The defaults sample luma 2 by 2 against the chroma's 1 by 1.
        info->comp_info[0].h_samp_factor = 1;
        info->comp_info[0].v_samp_factor = 1;
    }
    if (dpi > 0) {
        info->density_unit = 1;  // dots per inch
        info->X_density = static_cast<UINT16>(dpi);
        info->Y_density = static_cast<UINT16>(dpi);
    }
    jpeg_start_compress(info, TRUE);
    if (profile != nullptr && !profile->empty()) {
        jpeg_write_icc_profile(info, profile->data(), static_cast<unsigned int>(profile->size()));
    }
    while (info->next_scanline < info->image_height) {
        // libjpeg only reads the rows it is given.
        JSAMPROW row = const_cast<std::uint8_t*>(image.Row(static_cast<int>(info->next_scanline)));
        jpeg_write_scanlines(info, &row, 1);
    }
    jpeg_finish_compress(info);
    return true;
}

// Releases libjpeg's memory and the output buffer on every way out.
class EncoderGuard {
public:
    explicit EncoderGuard(JpegEncoder& encoder) : encoder_(encoder) {}
    ~EncoderGuard()
    {
        jpeg_destroy_compress(&encoder_.Info);
        std::free(encoder_.Output);
    }
    EncoderGuard(const EncoderGuard&) = delete;
    EncoderGuard& operator=(const EncoderGuard&) = delete;

private:
    JpegEncoder& encoder_;
};

}  // namespace

std::vector<std::uint8_t> EncodeJpeg(const Image& image, int quality, int dpi,
                                     const ColourTag& tag, JpegChroma chroma)
{
    const std::vector<std::uint8_t>* profile = !tag.Profile.empty() ? &tag.Profile
                                               : tag.Srgb          ? &colour::SrgbProfileBytes()
                                                                   : nullptr;
    JpegEncoder encoder{};
    encoder.Info.err = InitJpegErrorManager(encoder.Error);
    const EncoderGuard guard(encoder);
    if (!Compress(encoder, image, quality, dpi, profile, chroma)) {
        ThrowJpegError(encoder.Error.Base.msg_code);
    }
    return std::vector<std::uint8_t>(encoder.Output, encoder.Output + encoder.OutputSize);
}

}  // namespace qm
