// SPDX-License-Identifier: MIT
#include "effects/WideBlur.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/Errors.h"

namespace qm {
namespace {

// A box of n pixels centred on a pixel, in doubled weights: 2 each for an
// odd n; for an even n, n - 1 pixels of 2 and one more of 1 at each end.
// The weights add up to 2n; reach is how far it goes either side.
struct Box {
    explicit Box(int n) : reach(n / 2), halfEnds(n % 2 == 0) {}
    int Weight(int d) const { return d == reach || d == -reach ? (halfEnds ? 1 : 2) : 2; }

    int reach;
    bool halfEnds;
};

// The weighted sums of one row across, for both boxes, with the row's end
// pixels repeated beyond its edges.
void SumAcross(const std::uint8_t* row, int width, const Box& wide, const Box& narrow,
               std::vector<std::uint8_t>& extended, std::uint16_t* wideSums,
               std::uint16_t* narrowSums)
{
    const int reach = wide.reach;
    for (int c = -reach; c < width + reach; ++c) {
        std::memcpy(&extended[3 * static_cast<std::size_t>(c + reach)],
                    row + 3 * static_cast<std::size_t>(std::clamp(c, 0, width - 1)), 3);
    }
    for (int c = 0; c < width; ++c) {
        for (int k = 0; k < 3; ++k) {
            const std::uint8_t* centre =
                &extended[3 * static_cast<std::size_t>(c + reach) + static_cast<std::size_t>(k)];
            int sum = 0;
            for (int d = -wide.reach; d <= wide.reach; ++d) {
                sum += wide.Weight(d) * centre[3 * d];
            }
            int middle = 0;
            for (int d = -narrow.reach; d <= narrow.reach; ++d) {
                middle += narrow.Weight(d) * centre[3 * d];
            }
            wideSums[3 * c + k] = static_cast<std::uint16_t>(sum);
            narrowSums[3 * c + k] = static_cast<std::uint16_t>(middle);
        }
    }
}

}  // namespace

int WideBlurReach(int factor)
{
    return Box(3 * factor).reach;
}

void WideBlur(Image& image, int factor)
{
    if (factor < 1 || factor > 8) {
        throw ErrorMessage("WideBlur: factor out of range");
    }
    const int width = image.Width();
    const int height = image.Height();
    if (width == 0 || height == 0) {
        return;
    }
    // The kernel is the 3 by 3 box plus the centre once more, so it is the
    // sum of two boxes that each split into a row and a column: the sums
    // across of every row are made once, and the sums down from them. A row
    // is overwritten only when the sums across of every row it needs are
    // made, so results never feed into their neighbours.
    const Box wide(3 * factor);
    const Box narrow(factor);
    const int rows = 2 * wide.reach + 1;
    const std::size_t rowBytes = image.RowBytes();
    std::vector<std::uint8_t> extended(3 * static_cast<std::size_t>(width + 2 * wide.reach));
    std::vector<std::uint16_t> wideSums(static_cast<std::size_t>(rows) * rowBytes);
    std::vector<std::uint16_t> narrowSums(static_cast<std::size_t>(rows) * rowBytes);
    const auto ringRow = [&](std::vector<std::uint16_t>& sums, int row) {
        return sums.data() + static_cast<std::size_t>(row % rows) * rowBytes;
    };
    const auto sumRow = [&](int row) {
        SumAcross(image.Row(row), width, wide, narrow, extended, ringRow(wideSums, row),
                  ringRow(narrowSums, row));
    };
    for (int row = 0; row < std::min(wide.reach, height); ++row) {
        sumRow(row);
    }
    const std::uint32_t divisor = 40u * static_cast<std::uint32_t>(factor * factor);
    std::vector<std::uint32_t> totals(rowBytes);
    for (int r = 0; r < height; ++r) {
        if (r + wide.reach < height) {
            sumRow(r + wide.reach);
        }
        std::fill(totals.begin(), totals.end(), 0u);
        for (int d = -wide.reach; d <= wide.reach; ++d) {
            const int row = std::clamp(r + d, 0, height - 1);
            const std::uint32_t weight = static_cast<std::uint32_t>(wide.Weight(d));
            const std::uint16_t* sums = ringRow(wideSums, row);
            for (std::size_t b = 0; b < rowBytes; ++b) {
                totals[b] += weight * sums[b];
            }
        }
        for (int d = -narrow.reach; d <= narrow.reach; ++d) {
            const int row = std::clamp(r + d, 0, height - 1);
            const std::uint32_t weight = static_cast<std::uint32_t>(narrow.Weight(d));
            const std::uint16_t* sums = ringRow(narrowSums, row);
            for (std::size_t b = 0; b < rowBytes; ++b) {
                totals[b] += weight * sums[b];
            }
        }
        std::uint8_t* out = image.Row(r);
        for (std::size_t b = 0; b < rowBytes; ++b) {
            out[b] = static_cast<std::uint8_t>(totals[b] / divisor);
        }
    }
}

}  // namespace qm
