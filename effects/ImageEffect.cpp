#include "effects/ImageEffect.h"

#include <algorithm>

namespace qm {

void Blur(Image& image)
{
    const int height = image.Height();
    const int width = image.Width();
    if (height == 0 || width == 0) {
        return;
    }
    // Every sum reads from this copy, so pixels already written never feed
    // into their neighbours. Allocating it is the only thing that can fail,
    // and that happens before the image is touched.
    const Image copy = image;
    for (int r = 0; r < height; ++r) {
        const std::uint8_t* above = copy.Row(std::max(r - 1, 0));
        const std::uint8_t* centre = copy.Row(r);
        const std::uint8_t* below = copy.Row(std::min(r + 1, height - 1));
        std::uint8_t* out = image.Row(r);
        for (int c = 0; c < width; ++c) {
            const std::size_t left = 3 * static_cast<std::size_t>(std::max(c - 1, 0));
            const std::size_t mid = 3 * static_cast<std::size_t>(c);
            const std::size_t right = 3 * static_cast<std::size_t>(std::min(c + 1, width - 1));
            // Components red, green, blue: byte 2, 1, 0 of a pixel.
            for (int k = 2; k >= 0; --k) {
                const int sum = above[left + k] + above[mid + k] + above[right + k] +
                                centre[left + k] + 2 * centre[mid + k] + centre[right + k] +
                                below[left + k] + below[mid + k] + below[right + k];
                out[mid + k] = static_cast<std::uint8_t>(sum / 10);
            }
        }
    }
}

}  // namespace qm
