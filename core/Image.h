// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/PixelBuffer.h"

namespace qm {

// A rectangle in image coordinates: column Left, row Top, Width by Height.
struct Rect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

// A 24-bit raster: Height rows of Width pixels, rows addressed from the top,
// each row stored as blue-green-red byte triples with no padding.
class Image {
public:
    // The largest picture the program holds; decoders refuse anything larger
    // before they allocate.
    static constexpr int kMaxSide = 32768;
    static constexpr std::int64_t kMaxPixels = std::int64_t{1} << 28;

    Image() = default;
    // A black picture.
    Image(int width, int height);
    // A picture whose pixels are undefined until written, for a decoder
    // that writes every one of them.
    static Image Unfilled(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }

    // Resizing keeps the pixels of the area both sizes share and clears the
    // rest. A negative size or one above the limits throws ErrorMessage.
    void SetWidth(int width);
    void SetHeight(int height);
    void SetSize(int width, int height);

    std::uint8_t* Row(int y) { return pixels_.data() + RowOffset(y); }
    const std::uint8_t* Row(int y) const { return pixels_.data() + RowOffset(y); }
    std::uint8_t* Pixel(int x, int y) { return Row(y) + 3 * static_cast<std::size_t>(x); }
    const std::uint8_t* Pixel(int x, int y) const
    {
        return Row(y) + 3 * static_cast<std::size_t>(x);
    }
    std::size_t RowBytes() const { return 3 * static_cast<std::size_t>(width_); }
    const PixelBuffer& Bytes() const { return pixels_; }

    // Draws source onto this image with its top left corner at (x, y); the
    // part that falls outside this image is clipped.
    void Draw(const Image& source, int x, int y);

    // Plain pixel copy of sourceRect of source onto the equal-sized rectangle
    // at (x, y) of this image. Source may be this image; overlapping areas
    // are copied as if through a temporary. Both rectangles are clipped.
    void CopyRect(int x, int y, const Image& source, const Rect& sourceRect);

    bool operator==(const Image& other) const = default;

private:
    std::size_t RowOffset(int y) const { return static_cast<std::size_t>(y) * RowBytes(); }

    int width_ = 0;
    int height_ = 0;
    PixelBuffer pixels_;
};

// Throws ErrorMessage unless a picture of width by height fits the limits.
void CheckImageSize(std::int64_t width, std::int64_t height);

}  // namespace qm
