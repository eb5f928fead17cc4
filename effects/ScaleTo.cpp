// SPDX-License-Identifier: MIT
#include "effects/ScaleTo.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/Bands.h"
#include "core/Errors.h"

// stb's resizer rather than libvips: a single well-kept file with no
// dependencies of its own that resamples 8-bit sRGB pictures in linear light
// with a Mitchell filter when scaling down, which is what a photograph
// needs; libvips would bring GLib and a pipeline the program has no other
// use for.
#include <stb_image_resize.h>

namespace qm {
namespace {

// How far either side of a pixel's centre stb's filters reach into the
// picture, in picture pixels, with one pixel to spare: both cubics reach two
// pixels of the side they are sampled on.
int Reach(float scale)
{
    return static_cast<int>(std::ceil(2.0f / std::min(scale, 1.0f))) + 1;
}

// Rows band.first to band.last - 1 of the picture resampled to width by
// height into scaled, whose row 0 they become. The whole picture goes in
// and the filters are placed with the whole's scales, shifted by the
// band's first row: an integer, subtracted from positions at least half of
// it, which single precision holds exactly, so every weight and every sum
// comes out as in the single pass over the whole.
bool ScaleBand(const Image& picture, int width, int height, int first, int last, std::uint8_t* rows,
               int rowBytes)
{
    const float scaleX = static_cast<float>(width) / static_cast<float>(picture.Width());
    const float scaleY = static_cast<float>(height) / static_cast<float>(picture.Height());
    return stbir_resize_subpixel(picture.Row(0), picture.Width(), picture.Height(),
                                 static_cast<int>(picture.RowBytes()), rows, width, last - first,
                                 rowBytes, STBIR_TYPE_UINT8, 3, STBIR_ALPHA_CHANNEL_NONE, 0,
                                 STBIR_EDGE_CLAMP, STBIR_EDGE_CLAMP, STBIR_FILTER_DEFAULT,
                                 STBIR_FILTER_DEFAULT, STBIR_COLORSPACE_SRGB, nullptr, scaleX,
                                 scaleY, 0.0f, static_cast<float>(first)) != 0;
}

// Fewer rows than this a band are not worth a thread; it also keeps every
// band's first row large against the filters' reach, as ScaleBand needs.
constexpr int kBandRows = 64;

}  // namespace

Image ScaleTo(const Image& picture, int width, int height)
{
    return ScaleToInBands(picture, width, height, Cores());
}

Image ScaleToInBands(const Image& picture, int width, int height, int bands)
{
    if (width == picture.Width() && height == picture.Height()) {
        return picture;
    }
    Image scaled(width, height);
    ForBands(height, std::clamp(bands, 1, std::max(1, height / kBandRows)), [&](int first, int last) {
        if (!ScaleBand(picture, width, height, first, last, scaled.Row(first),
                       static_cast<int>(scaled.RowBytes()))) {
            throw ErrorMessage("Out of memory");
        }
    });
    return scaled;
}

Image ScaleToRegion(const Image& picture, int width, int height, const Rect& region)
{
    if (region.Left < 0 || region.Top < 0 || region.Width < 1 || region.Height < 1 ||
        region.Left + region.Width > width || region.Top + region.Height > height) {
        throw ErrorMessage("ScaleToRegion: region outside the picture");
    }
    Image scaled(region.Width, region.Height);
    if (width == picture.Width() && height == picture.Height()) {
        scaled.CopyRect(0, 0, picture, region);
        return scaled;
    }
    // The scales as ScaleTo's resizer forms them; the part of the picture
    // the region's filters reach; the region's shift from that part's corner
    // in new pixels.
    const float scaleX = static_cast<float>(width) / static_cast<float>(picture.Width());
    const float scaleY = static_cast<float>(height) / static_cast<float>(picture.Height());
    const auto first = [](int start, float scale) {
        return std::max(0, static_cast<int>(std::floor(start / scale)) - Reach(scale));
    };
    const auto end = [](int stop, float scale, int side) {
        return std::min(side, static_cast<int>(std::ceil(stop / scale)) + Reach(scale));
    };
    const int left = first(region.Left, scaleX);
    const int top = first(region.Top, scaleY);
    const int right = end(region.Left + region.Width, scaleX, picture.Width());
    const int bottom = end(region.Top + region.Height, scaleY, picture.Height());
    const float shiftX = static_cast<float>(region.Left - static_cast<double>(left) * scaleX);
    const float shiftY = static_cast<float>(region.Top - static_cast<double>(top) * scaleY);
    if (stbir_resize_subpixel(picture.Pixel(left, top), right - left, bottom - top,
                              static_cast<int>(picture.RowBytes()), scaled.Row(0), region.Width,
                              region.Height, static_cast<int>(scaled.RowBytes()), STBIR_TYPE_UINT8,
                              3, STBIR_ALPHA_CHANNEL_NONE, 0, STBIR_EDGE_CLAMP, STBIR_EDGE_CLAMP,
                              STBIR_FILTER_DEFAULT, STBIR_FILTER_DEFAULT, STBIR_COLORSPACE_SRGB,
                              nullptr, scaleX, scaleY, shiftX, shiftY) == 0) {
        throw ErrorMessage("Out of memory");
    }
    return scaled;
}

}  // namespace qm
