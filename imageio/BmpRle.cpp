#include "imageio/BmpRle.h"

#include <algorithm>

namespace qm {
namespace {

// Escape codes that follow a zero count byte.
constexpr std::uint8_t kEndOfLine = 0;
constexpr std::uint8_t kEndOfBitmap = 1;
constexpr std::uint8_t kDelta = 2;

// Walks the stream and puts each pixel at the current position.
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
        if (header_.Compression == BmpCompression::Rle24) {
            if (!Has(2)) {
                return false;
            }
            const std::uint8_t colour[3] = {value, data_[pos_], data_[pos_ + 1]};
            pos_ += 2;
            for (int i = 0; i < count; ++i) {
                PutColour(colour);
            }
        } else if (header_.Compression == BmpCompression::Rle4) {
            for (int i = 0; i < count; ++i) {
                PutIndex(i % 2 == 0 ? value >> 4 : value & 0x0F);
            }
        } else {
            for (int i = 0; i < count; ++i) {
                PutIndex(value);
            }
        }
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
        for (int i = 0; i < count; ++i) {
            if (header_.Compression == BmpCompression::Rle24) {
                PutColour(p + 3 * i);
            } else if (header_.Compression == BmpCompression::Rle4) {
                PutIndex(i % 2 == 0 ? p[i / 2] >> 4 : p[i / 2] & 0x0F);
            } else {
                PutIndex(p[i]);
            }
        }
        pos_ += std::min(bytes + bytes % 2, data_.size() - pos_);
        return true;
    }

    // An index beyond the colour table gives black.
    void PutIndex(int index)
    {
        static constexpr std::uint8_t kBlack[3] = {0, 0, 0};
        const auto& palette = header_.Palette;
        PutColour(static_cast<std::size_t>(index) < palette.size() ? palette[index].data() : kBlack);
    }

    void PutColour(const std::uint8_t* bgr)
    {
        if (x_ < header_.Width && row_ < header_.Height) {
            std::uint8_t* p = image_.Pixel(static_cast<int>(x_), header_.ImageRow(row_));
            p[0] = bgr[0];
            p[1] = bgr[1];
            p[2] = bgr[2];
        }
        ++x_;
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
