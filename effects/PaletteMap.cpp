// SPDX-License-Identifier: MIT
#include "effects/PaletteMap.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>


namespace qm {

PaletteMap::PaletteMap(const std::vector<Srgb8>& palette)
{
    if (palette.size() < 2) {
        throw std::invalid_argument("a palette map needs two colours");
    }
    stops_.reserve(palette.size());
    for (const Srgb8& colour : palette) {
        stops_.push_back(OkLabOf(colour));
    }
    std::stable_sort(stops_.begin(), stops_.end(),
                     [](const OkLab& a, const OkLab& b) { return a.L < b.L; });
}

Image PaletteMap::Apply(const Image& tile)
{
    const auto lightness = [](const std::uint8_t* bgr) {
        return OkLabOf({bgr[2], bgr[1], bgr[0]}).L;
    };
    double darkest = std::numeric_limits<double>::infinity();
    double lightest = -darkest;
    for (int y = 0; y < tile.Height(); ++y) {
        const std::uint8_t* in = tile.Row(y);
        for (int x = 0; x < tile.Width(); ++x, in += 3) {
            const double l = lightnesses_.Get(in, lightness);
            darkest = std::min(darkest, l);
            lightest = std::max(lightest, l);
        }
    }
    const double range = lightest - darkest;
    const auto last = static_cast<double>(stops_.size() - 1);
    const auto mapped = [&](const std::uint8_t* bgr) {
        const double t = range > 0 ? (lightnesses_.Get(bgr, lightness) - darkest) / range : 0.5;
        const double at = t * last;
        const auto below = static_cast<std::size_t>(std::min(std::floor(at), last - 1));
        const double f = at - static_cast<double>(below);
        const OkLab& a = stops_[below];
        const OkLab& b = stops_[below + 1];
        return SrgbInGamut(
            {a.L + (b.L - a.L) * f, a.A + (b.A - a.A) * f, a.B + (b.B - a.B) * f});
    };
    ColourCache<Srgb8> colours;
    Image result = Image::Unfilled(tile.Width(), tile.Height());
    for (int y = 0; y < tile.Height(); ++y) {
        const std::uint8_t* in = tile.Row(y);
        std::uint8_t* out = result.Row(y);
        for (int x = 0; x < tile.Width(); ++x, in += 3, out += 3) {
            const Srgb8& colour = colours.Get(in, mapped);
            out[0] = colour.B;
            out[1] = colour.G;
            out[2] = colour.R;
        }
    }
    return result;
}

}  // namespace qm
