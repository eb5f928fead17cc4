// SPDX-License-Identifier: MIT
#include "core/Image.h"

#include <algorithm>
#include <cstring>

#include "core/Errors.h"
#include "core/Translate.h"

namespace qm {

void CheckImageSize(std::int64_t width, std::int64_t height)
{
    if (width < 0 || height < 0 || width > Image::kMaxSide || height > Image::kMaxSide ||
        width * height > Image::kMaxPixels) {
        throw ErrorMessage(T("画像サイズが大きすぎます"));
    }
}

Image::Image(int width, int height)
{
    SetSize(width, height);
}

Image Image::Unfilled(int width, int height)
{
    CheckImageSize(width, height);
    Image image;
    image.pixels_ = PixelBuffer(3 * static_cast<std::size_t>(width) * height);
    image.width_ = width;
    image.height_ = height;
    return image;
}

void Image::SetWidth(int width)
{
    SetSize(width, height_);
}

void Image::SetHeight(int height)
{
    SetSize(width_, height);
}

void Image::SetSize(int width, int height)
{
    if (width == width_ && height == height_) {
        return;
    }
    CheckImageSize(width, height);
    PixelBuffer resized(3 * static_cast<std::size_t>(width) * height);
    if (resized.size() > 0) {
        std::memset(resized.data(), 0, resized.size());
    }
    const std::size_t keep = 3 * static_cast<std::size_t>(std::min(width, width_));
    const int keepRows = std::min(height, height_);
    for (int y = 0; y < keepRows && keep > 0; ++y) {
        std::memcpy(resized.data() + y * 3 * static_cast<std::size_t>(width), Row(y), keep);
    }
    pixels_ = std::move(resized);
    width_ = width;
    height_ = height;
}

void Image::Draw(const Image& source, int x, int y)
{
    CopyRect(x, y, source, Rect{0, 0, source.Width(), source.Height()});
}

void Image::CopyRect(int x, int y, const Image& source, const Rect& sourceRect)
{
    Rect src = sourceRect;
    // Clip against the source.
    if (src.Left < 0) { x -= src.Left; src.Width += src.Left; src.Left = 0; }
    if (src.Top < 0) { y -= src.Top; src.Height += src.Top; src.Top = 0; }
    src.Width = std::min(src.Width, source.Width() - src.Left);
    src.Height = std::min(src.Height, source.Height() - src.Top);
    // Clip against this image.
    if (x < 0) { src.Left -= x; src.Width += x; x = 0; }
    if (y < 0) { src.Top -= y; src.Height += y; y = 0; }
    src.Width = std::min(src.Width, width_ - x);
    src.Height = std::min(src.Height, height_ - y);
    if (src.Width <= 0 || src.Height <= 0) {
        return;
    }

    const std::size_t bytes = 3 * static_cast<std::size_t>(src.Width);
    if (&source == this && src.Top < y) {
        // Overlapping downward copy within one image: walk the rows bottom up.
        for (int r = src.Height - 1; r >= 0; --r) {
            std::memmove(Pixel(x, y + r), Pixel(src.Left, src.Top + r), bytes);
        }
        return;
    }
    for (int r = 0; r < src.Height; ++r) {
        std::memmove(Pixel(x, y + r), source.Pixel(src.Left, src.Top + r), bytes);
    }
}

}  // namespace qm
