// SPDX-License-Identifier: MIT
#include "imageio/BmpRle.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace qm {
namespace {

// Escape codes that follow a zero count byte.
constexpr std::uint8_t kEndOfLine = 0;
constexpr std::uint8_t kEndOfBitmap = 1;
constexpr std::uint8_t kDelta = 2;

// Walks the stream and puts each pixel at the current position. Each pixel
// is written at most once (the position only moves on), so the work is
// bounded by the picture plus the stream.
template <BmpCompression kKind>
class RleDecoder {
public:
    RleDecoder(std::span<const std::uint8_t> file, const BmpHeader& header, Image& image)
        : data_(file.subspan(header.DataOffset)), header_(header), image_(image)
    {
        // Every index has a colour: an index beyond the colour table gives
        // black.
        std::copy(header.Palette.begin(), header.Palette.end(), colours_.begin());
    }

    void Run()
    {
        // Nothing can be drawn once the position has left the last row on
        // the right: the position only moves right and down.
        const std::int64_t lastRow = header_.Height - 1;
        while ((row_ < lastRow || (row_ == lastRow && x_ < header_.Width)) && Has(2)) {
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
        std::uint8_t direct[3] = {value, 0, 0};
        if constexpr (kKind == BmpCompression::Rle24) {
            if (!Has(2)) {
                return false;
            }
            direct[1] = data_[pos_];
            direct[2] = data_[pos_ + 1];
            pos_ += 2;
        }
        if (const int visible = Visible(count); visible > 0) {
            if constexpr (kKind == BmpCompression::Rle24) {
                Fill(Target(), visible, direct, direct);
            } else if constexpr (kKind == BmpCompression::Rle4) {
                Fill(Target(), visible, Colour(value >> 4), Colour(value & 0x0F));
            } else {
                Fill(Target(), visible, Colour(value), Colour(value));
            }
        }
        x_ += count;
        return true;
    }

    // count pixels alternating between two colours: the first two are
    // written, then copied in doubling blocks.
    static void Fill(std::uint8_t* out, int count, const std::uint8_t* first,
                     const std::uint8_t* second)
    {
        std::memcpy(out, first, 3);
        if (count == 1) {
            return;
        }
        std::memcpy(out + 3, second, 3);
        const std::size_t total = 3 * static_cast<std::size_t>(count);
        for (std::size_t done = 6; done < total; done *= 2) {
            std::memcpy(out + done, out, std::min(done, total - done));
        }
    }

    // count literal pixels, padded to a whole number of 16-bit words.
    bool AbsoluteRun(int count)
    {
        std::size_t bytes = static_cast<std::size_t>(count);
        if constexpr (kKind == BmpCompression::Rle4) {
            bytes = (bytes + 1) / 2;
        } else if constexpr (kKind == BmpCompression::Rle24) {
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
            if constexpr (kKind == BmpCompression::Rle4) {
                bgr = Colour(i % 2 == 0 ? p[i / 2] >> 4 : p[i / 2] & 0x0F);
            } else if constexpr (kKind == BmpCompression::Rle8) {
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

    // How many of the next count pixels lie inside the picture (the
    // position is on one of its rows): the rest of a run past the right edge
    // is skipped at once, not pixel by pixel.
    int Visible(int count) const
    {
        if (x_ >= header_.Width) {
            return 0;
        }
        return static_cast<int>(std::min<std::int64_t>(count, header_.Width - x_));
    }

    // The pixel at the current position, which must lie inside the picture.
    std::uint8_t* Target()
    {
        return image_.Pixel(static_cast<int>(x_), header_.ImageRow(row_));
    }

    const std::uint8_t* Colour(int index) const { return colours_[index].data(); }

    std::span<const std::uint8_t> data_;
    const BmpHeader& header_;
    Image& image_;
    std::array<std::array<std::uint8_t, 3>, 256> colours_{};
    std::size_t pos_ = 0;
    std::int64_t x_ = 0;
    std::int64_t row_ = 0;
};

}  // namespace

void DecodeBmpRle(std::span<const std::uint8_t> file, const BmpHeader& header, Image& image)
{
    if (header.Compression == BmpCompression::Rle8) {
        RleDecoder<BmpCompression::Rle8>(file, header, image).Run();
    } else if (header.Compression == BmpCompression::Rle4) {
        RleDecoder<BmpCompression::Rle4>(file, header, image).Run();
    } else {
        RleDecoder<BmpCompression::Rle24>(file, header, image).Run();
    }
}

}  // namespace qm
