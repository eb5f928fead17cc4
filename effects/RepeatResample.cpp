// SPDX-License-Identifier: MIT
#include "effects/RepeatResample.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/Errors.h"

// Written here rather than taken from stb's resizer, which the fit uses:
// stb places its filters with floating-point offsets and weights, so a
// mirror line does not land exactly where the tile has it and the two
// halves of a symmetric tile come out a level apart here and there. Every
// position below is a whole number of 1/(2 * new side) source pixels, the
// weights are exact whole numbers and the sums exact integers, so the result
// is symmetric wherever the picture is, and the same on every machine.

namespace qm {
namespace {

double Decoded(double v)
{
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

// Linear light in 16 bits: linear[v] for an sRGB byte v, and the sRGB byte
// nearest (in sRGB) to each linear level. Every byte comes back as itself.
struct LightTables {
    std::array<std::uint16_t, 256> linear{};
    std::vector<std::uint8_t> encoded = std::vector<std::uint8_t>(65536);

    LightTables()
    {
        for (int v = 0; v < 256; ++v) {
            linear[static_cast<std::size_t>(v)] =
                static_cast<std::uint16_t>(std::lround(Decoded(v / 255.0) * 65535));
        }
        // Level l becomes the byte v whose lower bound, the level of the
        // encoded value v - 1/2, it reaches.
        int v = 0;
        for (int l = 0; l < 65536; ++l) {
            while (v < 255 && l >= Decoded((v + 0.5) / 255.0) * 65535) {
                ++v;
            }
            encoded[static_cast<std::size_t>(l)] = static_cast<std::uint8_t>(v);
        }
    }
};

const LightTables& Light()
{
    static const LightTables tables;
    return tables;
}

struct Tap {
    std::uint32_t index;
    std::uint32_t weight;
};

// The source pixels and weights of every new pixel along one side;
// new pixel i uses taps[start[i]] to taps[start[i + 1] - 1], whose weights
// add up to total.
struct AxisTaps {
    std::vector<std::size_t> start;
    std::vector<Tap> taps;
    std::uint32_t total = 0;
};

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    const std::int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

// Positions are counted in units of 1/(2 * target) source pixels, so a
// source pixel is 2 * target units and a new one 2 * source units, and an
// anchor of a half pixels lies at a * target units in the source and at
// a * source units (of the new picture's own) in the new one.
AxisTaps TapsOf(int source, int target, int anchorHalf)
{
    const std::int64_t s = source;
    const std::int64_t t = target;
    const std::int64_t a = anchorHalf;
    const std::int64_t pixel = 2 * t;
    AxisTaps axis;
    axis.start.reserve(static_cast<std::size_t>(target) + 1);
    const auto add = [&](std::int64_t j, std::int64_t weight) {
        if (weight > 0) {
            const std::int64_t wrapped = (j % s + s) % s;
            axis.taps.push_back(
                Tap{static_cast<std::uint32_t>(wrapped), static_cast<std::uint32_t>(weight)});
        }
    };
    for (std::int64_t i = 0; i < t; ++i) {
        axis.start.push_back(axis.taps.size());
        // The new pixel's leading edge in source units.
        const std::int64_t low = a * t + 2 * s * i - a * s;
        if (t <= s) {
            // The area it covers: every source pixel by its overlap.
            const std::int64_t high = low + 2 * s;
            for (std::int64_t j = FloorDiv(low, pixel); j * pixel < high; ++j) {
                add(j, std::min(high, (j + 1) * pixel) - std::max(low, j * pixel));
            }
        } else {
            // Its centre, between the centres of source pixels j and j + 1.
            const std::int64_t centre = low + s;
            const std::int64_t j = FloorDiv(centre - t, pixel);
            const std::int64_t past = centre - (j * pixel + t);
            add(j, pixel - past);
            add(j + 1, past);
        }
    }
    axis.start.push_back(axis.taps.size());
    axis.total = static_cast<std::uint32_t>(t <= s ? 2 * s : 2 * t);
    return axis;
}

}  // namespace

Image ResampleRepeat(const Image& picture, int width, int height, int anchorHalfX, int anchorHalfY)
{
    if (picture.Empty() || width < 1 || height < 1) {
        throw ErrorMessage("Resample: empty picture");
    }
    CheckImageSize(width, height);
    const AxisTaps across = TapsOf(picture.Width(), width, anchorHalfX);
    const AxisTaps down = TapsOf(picture.Height(), height, anchorHalfY);
    const LightTables& light = Light();
    // A column sum is at most down.total * 65535, and down.total at most
    // 2 * Image::kMaxSide, which 32 bits hold.
    std::vector<std::uint32_t> columns(picture.RowBytes());
    const std::uint64_t total = std::uint64_t{across.total} * down.total;
    Image result = Image::Unfilled(width, height);
    for (int y = 0; y < height; ++y) {
        std::fill(columns.begin(), columns.end(), 0u);
        for (std::size_t n = down.start[static_cast<std::size_t>(y)];
             n < down.start[static_cast<std::size_t>(y) + 1]; ++n) {
            const std::uint8_t* row = picture.Row(static_cast<int>(down.taps[n].index));
            const std::uint32_t weight = down.taps[n].weight;
            for (std::size_t b = 0; b < columns.size(); ++b) {
                columns[b] += weight * light.linear[row[b]];
            }
        }
        std::uint8_t* out = result.Row(y);
        for (int x = 0; x < width; ++x) {
            std::uint64_t sum[3] = {0, 0, 0};
            for (std::size_t n = across.start[static_cast<std::size_t>(x)];
                 n < across.start[static_cast<std::size_t>(x) + 1]; ++n) {
                const std::uint32_t* column =
                    &columns[3 * static_cast<std::size_t>(across.taps[n].index)];
                const std::uint64_t weight = across.taps[n].weight;
                for (int k = 0; k < 3; ++k) {
                    sum[k] += weight * column[k];
                }
            }
            for (int k = 0; k < 3; ++k) {
                out[3 * x + k] =
                    light.encoded[static_cast<std::size_t>((sum[k] + total / 2) / total)];
            }
        }
    }
    return result;
}

}  // namespace qm
