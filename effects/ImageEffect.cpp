// SPDX-License-Identifier: MIT
#include "effects/ImageEffect.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace qm {
namespace {

// The kernel is a 3 by 3 box plus the centre once more, so every output
// byte is (sum of the three column sums around it + centre) / 10. The
// column sums of a row are computed once and each shared by three outputs:
// four additions per byte instead of nine reads, with the very same sums.
void BlurRow(const std::uint8_t* above, const std::uint8_t* centre, const std::uint8_t* below,
             std::uint16_t* columnSums, std::size_t rowBytes, std::uint8_t* out)
{
    for (std::size_t i = 0; i < rowBytes; ++i) {
        columnSums[i] = static_cast<std::uint16_t>(above[i] + centre[i] + below[i]);
    }
    if (rowBytes == 3) {
        // One column: its left and right neighbours are itself.
        for (std::size_t k = 0; k < 3; ++k) {
            out[k] = static_cast<std::uint8_t>((3 * columnSums[k] + centre[k]) / 10);
        }
        return;
    }
    // First and last pixel: the missing neighbour column is the pixel's own.
    for (std::size_t k = 0; k < 3; ++k) {
        out[k] = static_cast<std::uint8_t>((2 * columnSums[k] + columnSums[k + 3] + centre[k]) / 10);
        const std::size_t last = rowBytes - 3 + k;
        out[last] = static_cast<std::uint8_t>(
            (columnSums[last - 3] + 2 * columnSums[last] + centre[last]) / 10);
    }
    // Sums stay at most 10 * 255, so 16 bits hold them and the loop
    // vectorises.
    for (std::size_t i = 3; i + 3 < rowBytes; ++i) {
        const std::uint16_t sum = static_cast<std::uint16_t>(
            columnSums[i - 3] + columnSums[i] + columnSums[i + 3] + centre[i]);
        out[i] = static_cast<std::uint8_t>(sum / 10);
    }
}

}  // namespace

void Blur(Image& image)
{
    const int height = image.Height();
    const int width = image.Width();
    if (height == 0 || width == 0) {
        return;
    }
    // The rows are overwritten from the top down; the originals of the row
    // above and of the row being written are kept in two row buffers, and
    // the row below is still untouched in the image. So results already written
    // never feed into their neighbours, and the working memory is a few
    // rows rather than a copy of the picture. Allocating it is the only
    // thing that can fail, and that happens before the image is touched.
    const std::size_t rowBytes = image.RowBytes();
    std::vector<std::uint8_t> previous(rowBytes);
    std::vector<std::uint8_t> current(rowBytes);
    std::vector<std::uint16_t> columnSums(rowBytes);

    std::memcpy(current.data(), image.Row(0), rowBytes);
    std::memcpy(previous.data(), image.Row(0), rowBytes);
    for (int r = 0; r < height; ++r) {
        const std::uint8_t* below = r + 1 < height ? image.Row(r + 1) : current.data();
        BlurRow(previous.data(), current.data(), below, columnSums.data(), rowBytes,
                image.Row(r));
        std::swap(previous, current);
        if (r + 1 < height) {
            std::memcpy(current.data(), image.Row(r + 1), rowBytes);
        }
    }
}

}  // namespace qm
