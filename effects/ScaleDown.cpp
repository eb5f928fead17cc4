// SPDX-License-Identifier: MIT
#include "effects/ScaleDown.h"

#include "core/Errors.h"

// stb's resizer rather than libvips: a single well-kept file with no
// dependencies of its own that resamples 8-bit sRGB pictures in linear light
// with a Mitchell filter when scaling down, which is what a photograph
// needs; libvips would bring GLib and a pipeline the program has no other
// use for.
#include <stb_image_resize.h>

namespace qm {

Image ScaleDown(const Image& picture, int width, int height)
{
    Image scaled(width, height);
    // The channel order does not matter to the resizer: blue, green and red
    // are resampled alike.
    if (stbir_resize_uint8_srgb(picture.Row(0), picture.Width(), picture.Height(),
                                static_cast<int>(picture.RowBytes()), scaled.Row(0), width, height,
                                static_cast<int>(scaled.RowBytes()), 3, STBIR_ALPHA_CHANNEL_NONE,
                                0) == 0) {
        throw ErrorMessage("Out of memory");
    }
    return scaled;
}

}  // namespace qm
