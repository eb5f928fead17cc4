#include "imageio/BmpRle.h"

#include <algorithm>

namespace qm {
namespace {

// Escape codes that follow a zero count byte.
constexpr std::uint8_t kEndOfLine = 0;
constexpr std::uint8_t kEndOfBitmap = 1;
constexpr std::uint8_t kDelta = 2;

// Walks the stream and puts each pixel at the current position. Each pixel
// is written at most once (the position only moves on), so the work is
// bounded by the picture plus the stream.
class RleDecoder {
public:
    RleDecoder(std::span<const std::uint8_t> file, const BmpHeader& header, Image& image)
        : data_(file.subspan(header.DataOffset)), header_(header), image_(image)
    {
    }

    void Run()
    {
        while (row_ < header_.Height && Has(2)) {
            const std::uint8_t count = data_[pos_];
            const std::uint8_t code = data_[pos_ + 1];
            pos_ += 2;
            if (count > 0) {
                if (!EncodedRun(count, code)) {
                    return;
                }
            } else if (code == kEndOfLine) {
                x_ = 0;
                ++row_;
            } else if (code == kEndOfBitmap) {
                return;
            } else if (code == kDelta) {
                if (!Has(2)) {
                    return;
                }
                x_ += data_[pos_];
                row_ += data_[pos_ + 1];
                pos_ += 2;
            } else if (!AbsoluteRun(code)) {
                return;
            }
        }
    }

private:
    bool Has(std::size_t n) const { return data_.size() - pos_ >= n; }

    // A run of count pixels: one palette index (RLE8), two alternating
    // indices in the nibbles of value (RLE4), or one colour (RLE24).
    bool EncodedRun(int count, std::uint8_t value)
    {
        const std::uint8_t* colours[2] = {Colour(value), Colour(value)};
        std::uint8_t direct[3] = {value, 0, 0};
        if (header_.Compression == BmpCompression::Rle24) {
            if (!Has(2)) {
                return false;
            }
            direct[1] = data_[pos_];
            direct[2] = data_[pos_ + 1];
            pos_ += 2;
            colours[0] = colours[1] = direct;
        } else if (header_.Compression == BmpCompression::Rle4) {
            colours[0] = Colour(value >> 4);
            colours[1] = Colour(value & 0x0F);
        }
        const int visible = Visible(count);
        std::uint8_t* out = visible > 0 ? Target() : nullptr;
        for (int i = 0; i < visible; ++i, out += 3) {
            const std::uint8_t* bgr = colours[i % 2];
            out[0] = bgr[0];
            out[1] = bgr[1];
            out[2] = bgr[2];
        }
        x_ += count;
        return true;
    }

    // count literal pixels, padded to a whole number of 16-bit words.
    bool AbsoluteRun(int count)
    {
        std::size_t bytes = static_cast<std::size_t>(count);
        if (header_.Compression == BmpCompression::Rle4) {
            bytes = (bytes + 1) / 2;
        } else if (header_.Compression == BmpCompression::Rle24) {
            bytes *= 3;
        }
        if (!Has(bytes)) {
            return false;
        }
        const std::uint8_t* p = data_.data() + pos_;
        const int visible = Visible(count);
        std::uint8_t* out = visible > 0 ? Target() : nullptr;
        for (int i = 0; i < visible; ++i, out += 3) {
            const std::uint8_t* bgr = p + 3 * i;
            if (header_.Compression == BmpCompression::Rle4) {
                bgr = Colour(i % 2 == 0 ? p[i / 2] >> 4 : p[i / 2] & 0x0F);
            } else if (header_.Compression == BmpCompression::Rle8) {
                bgr = Colour(p[i]);
            }
            out[0] = bgr[0];
            out[1] = bgr[1];
            out[2] = bgr[2];
        }
        x_ += count;
        pos_ += std::min(bytes + bytes % 2, data_.size() - pos_);
        return true;
    }

    // How many of the next count pixels lie inside the picture: the rest of
    // a run past the right edge is skipped at once, not pixel by pixel.
    int Visible(int count) const
    {
        if (row_ >= header_.Height || x_ >= header_.Width) {
            return 0;
        }
        return static_cast<int>(std::min<std::int64_t>(count, header_.Width - x_));
    }

    // The pixel at the current position, which must lie inside the picture.
    std::uint8_t* Target()
    {
        return image_.Pixel(static_cast<int>(x_), header_.ImageRow(row_));
    }

    // An index beyond the colour table gives black.
    const std::uint8_t* Colour(int index) const
    {
        static constexpr std::uint8_t kBlack[3] = {0, 0, 0};
        const auto& palette = header_.Palette;
        return static_cast<std::size_t>(index) < palette.size() ? palette[index].data() : kBlack;
    }

    std::span<const std::uint8_t> data_;
    const BmpHeader& header_;
    Image& image_;
    std::size_t pos_ = 0;
    std::int64_t x_ = 0;
    std::int64_t row_ = 0;
};

}  // namespace

void DecodeBmpRle(std::span<const std::uint8_t> file, const BmpHeader& header, Image& image)
{
    RleDecoder(file, header, image).Run();
}

}  // namespace qm
