// SPDX-License-Identifier: MIT
#include "imageio/colour/TransformBands.h"

#include <algorithm>
#include <thread>
#include <vector>

namespace qm::colour {
namespace {

// Below this many pixels a band is not worth a thread.
constexpr std::int64_t kMinBandPixels = 65536;

}  // namespace

void TransformInBands(cmsHTRANSFORM transform, const std::uint8_t* in, std::size_t inBytes,
                      std::uint8_t* out, std::size_t outBytes, int width, int height)
{
    if (width <= 0 || height <= 0) {
        return;
    }
    const std::int64_t pixels = std::int64_t{width} * height;
    const auto cores = static_cast<std::int64_t>(std::max(1u, std::thread::hardware_concurrency()));
    const std::int64_t bands =
        std::clamp<std::int64_t>(pixels / kMinBandPixels, 1, std::min<std::int64_t>(cores, height));
    const std::int64_t rowsPerBand = (height + bands - 1) / bands;
    const auto run = [&](std::int64_t band) {
        const std::int64_t first = band * rowsPerBand;
        const std::int64_t rows = std::min<std::int64_t>(rowsPerBand, height - first);
        if (rows <= 0) {
            return;
        }
        const auto row = static_cast<std::size_t>(first) * static_cast<std::size_t>(width);
        cmsDoTransformLineStride(transform, in + row * inBytes, out + row * outBytes,
                                 static_cast<cmsUInt32Number>(width),
                                 static_cast<cmsUInt32Number>(rows),
                                 static_cast<cmsUInt32Number>(width * inBytes),
                                 static_cast<cmsUInt32Number>(width * outBytes), 0, 0);
    };
    std::vector<std::thread> helpers;
    for (std::int64_t band = 1; band < bands; ++band) {
        helpers.emplace_back(run, band);
    }
    run(0);
    for (std::thread& helper : helpers) {
        helper.join();
    }
}

}  // namespace qm::colour
