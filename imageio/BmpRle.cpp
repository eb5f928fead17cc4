// SPDX-License-Identifier: MIT
#include "imageio/BmpRle.h"

#include <algorithm>
#include <cstring>

namespace qm {
namespace {

// Escape codes that follow a zero count byte.
constexpr std::uint8_t kEndOfLine = 0;
constexpr std::uint8_t kEndOfBitmap = 1;
constexpr std::uint8_t kDelta = 2;

// Walks the stream and puts each pixel at the current position. Each pixel
// is written at most once (the position only moves on), so the work is
// bounded by the picture plus the stream; runs are written a whole clipped
// run at a time.
template <BmpCompression kKind>
class RleDecoder {
public:
    RleDecoder(std::span<const std::uint8_t> file, const BmpHeader& header, Image& image)
        : next_(file.data() + header.DataOffset),
          end_(file.data() + file.size()),
          header_(header),
          image_(image),
          colours_(header.FullColourTable())
    {
    }

    void Run()
    {
        // Nothing can be drawn below the last row: the position only moves
        // right and down.
        const std::int64_t lastRow = header_.Height - 1;
        while (Has(2)) {
            const std::uint8_t count = next_[0];
            const std::uint8_t code = next_[1];
            next_ += 2;
            if (count > 0) {
                if (!EncodedRun(count, code)) {
                    return;
                }
            } else if (code == kEndOfLine) {
                x_ = 0;
                if (++row_ > lastRow) {
                    return;
                }
                continue;
            } else if (code == kEndOfBitmap) {
                return;
            } else if (code == kDelta) {
                if (!Has(2)) {
                    return;
                }
                x_ += next_[0];
                row_ += next_[1];
                next_ += 2;
                if (row_ > lastRow) {
                    return;
                }
            } else if (!AbsoluteRun(code)) {
                return;
            }
            if (x_ >= header_.Width) {
                SkipEncodedRuns();
            }
        }
    }

private:
    std::size_t Left() const { return static_cast<std::size_t>(end_ - next_); }
    bool Has(std::size_t n) const { return Left() >= n; }

    // Past the right edge nothing is drawn until the next escape (a zero
    // count): the encoded runs before it are stepped over unread.
    void SkipEncodedRuns()
    {
        constexpr std::size_t kRunBytes = kKind == BmpCompression::Rle24 ? 4 : 2;
        while (Has(kRunBytes) && next_[0] != 0) {
            next_ += kRunBytes;
        }
    }

    // A run of count pixels: one palette index (RLE8), two alternating
    // indices in the nibbles of value (RLE4), or one colour (RLE24).
    bool EncodedRun(int count, std::uint8_t value)
    {
        std::uint8_t direct[3] = {value, 0, 0};
        if constexpr (kKind == BmpCompression::Rle24) {
            if (!Has(2)) {
                return false;
            }
            direct[1] = next_[0];
            direct[2] = next_[1];
            next_ += 2;
        }
        if (x_ < header_.Width) {
            const int visible = Visible(count);
            if constexpr (kKind == BmpCompression::Rle24) {
                Fill(Target(), visible, direct);
            } else if constexpr (kKind == BmpCompression::Rle4) {
                FillPairs(Target(), visible, Colour(value >> 4), Colour(value & 0x0F));
            } else {
                Fill(Target(), visible, Colour(value));
            }
        }
        x_ += count;
        return true;
    }

    // count pixels of one colour; a grey is one byte repeated.
    static void Fill(std::uint8_t* out, int count, const std::uint8_t* bgr)
    {
        if (bgr[0] == bgr[1] && bgr[1] == bgr[2]) {
            std::memset(out, bgr[0], 3 * static_cast<std::size_t>(count));
        } else {
            FillPairs(out, count, bgr, bgr);
        }
    }

    // count pixels alternating between two colours: the first two are
    // written, then copied in doubling blocks.
    static void FillPairs(std::uint8_t* out, int count, const std::uint8_t* first,
                          const std::uint8_t* second)
    {
        PutColour(out, first);
        if (count == 1) {
            return;
        }
        PutColour(out + 3, second);
        const std::size_t total = 3 * static_cast<std::size_t>(count);
        std::size_t done = 6;
        for (; 2 * done <= total; done *= 2) {
            std::memcpy(out + done, out, done);
        }
        std::memcpy(out + done, out, total - done);
    }

    static void PutColour(std::uint8_t* out, const std::uint8_t* bgr)
    {
        out[0] = bgr[0];
        out[1] = bgr[1];
        out[2] = bgr[2];
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
        if (const int visible = Visible(count); visible > 0) {
            const std::uint8_t* p = next_;
            std::uint8_t* out = Target();
            if constexpr (kKind == BmpCompression::Rle24) {
                std::memcpy(out, p, 3 * static_cast<std::size_t>(visible));
            } else if constexpr (kKind == BmpCompression::Rle8) {
                for (int i = 0; i < visible; ++i, out += 3) {
                    PutColour(out, Colour(p[i]));
                }
            } else {
                for (int i = 0; i < visible / 2; ++i, out += 6) {
                    PutColour(out, Colour(p[i] >> 4));
                    PutColour(out + 3, Colour(p[i] & 0x0F));
                }
                if (visible % 2 != 0) {
                    PutColour(out, Colour(p[visible / 2] >> 4));
                }
            }
        }
        x_ += count;
        next_ += std::min(bytes + bytes % 2, Left());
        return true;
    }

    // How many of the next count pixels lie inside the picture (the
    // position is on one of its rows): the rest of a run past the right edge
    // is skipped at once.
    int Visible(int count) const
    {
        return static_cast<int>(std::clamp<std::int64_t>(header_.Width - x_, 0, count));
    }

    // The pixel at the current position, which must lie inside the picture.
    std::uint8_t* Target()
    {
        return image_.Pixel(static_cast<int>(x_), header_.ImageRow(row_));
    }

    const std::uint8_t* Colour(int index) const { return colours_[index].data(); }

    // The next byte of the stream and its end.
    const std::uint8_t* next_;
    const std::uint8_t* const end_;
    const BmpHeader& header_;
    Image& image_;
    const BmpColourTable colours_;
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
