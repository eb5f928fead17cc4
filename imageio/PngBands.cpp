// SPDX-License-Identifier: MIT
#include "imageio/PngBands.h"

#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <exception>
#include <system_error>
#include <thread>

#include "imageio/ByteOrder.h"
#include "imageio/PngError.h"

namespace qm {
namespace {

constexpr std::size_t kWindow = 32768;
constexpr std::uint8_t kUpFilter = 2;

// Appends row y of image, filtered against the row above, to out.
void AppendFilteredRow(const Image& image, int y, std::vector<std::uint8_t>& out)
{
    const std::uint8_t* row = image.Row(y);
    const std::uint8_t* above = y > 0 ? image.Row(y - 1) : nullptr;
    const std::size_t start = out.size();
    out.resize(start + 1 + image.RowBytes());
    std::uint8_t* to = out.data() + start;
    *to++ = kUpFilter;
    for (std::size_t i = 0; i < image.RowBytes(); i += 3, to += 3) {
        // BGR in the picture, RGB in the file.
        for (std::size_t c = 0; c < 3; ++c) {
            const std::uint8_t up = above != nullptr ? above[i + 2 - c] : 0;
            to[c] = static_cast<std::uint8_t>(row[i + 2 - c] - up);
        }
    }
}

struct Band {
    std::vector<std::uint8_t> Deflated;
    uLong Adler = 0;
    uLong Length = 0;
    std::exception_ptr Failure;
};

// Closes the stream on every way out.
class DeflateGuard {
public:
    explicit DeflateGuard(z_stream& stream) : stream_(stream) {}
    ~DeflateGuard() { deflateEnd(&stream_); }
    DeflateGuard(const DeflateGuard&) = delete;
    DeflateGuard& operator=(const DeflateGuard&) = delete;

private:
    z_stream& stream_;
};

void Check(int status)
{
    if (status == Z_MEM_ERROR) {
        ThrowPngError("Out of memory");
    }
    if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR) {
        ThrowPngError("zlib error");
    }
}

// Deflates rows first..last-1 as a raw deflate band; the last band of the
// image finishes the stream.
void DeflateBand(const Image& image, int first, int last, Band& band)
{
    const std::size_t rowBytes = image.RowBytes() + 1;
    const int primingRows =
        std::min(first, static_cast<int>((kWindow + rowBytes - 1) / rowBytes));
    std::vector<std::uint8_t> data;
    data.reserve(rowBytes * static_cast<std::size_t>(last - first + primingRows));
    for (int y = first - primingRows; y < last; ++y) {
        AppendFilteredRow(image, y, data);
    }
    const std::size_t primed = rowBytes * static_cast<std::size_t>(primingRows);
    const std::size_t dictionary = std::min(primed, kWindow);

    z_stream stream{};
    Check(deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY));
    const DeflateGuard guard(stream);
    if (dictionary > 0) {
        Check(deflateSetDictionary(&stream, data.data() + primed - dictionary,
                                   static_cast<uInt>(dictionary)));
    }
    const std::size_t length = data.size() - primed;
    band.Length = static_cast<uLong>(length);
    band.Adler = adler32(adler32(0, nullptr, 0), data.data() + primed, static_cast<uInt>(length));
    band.Deflated.resize(deflateBound(&stream, static_cast<uLong>(length)) + 64);
    stream.next_in = data.data() + primed;
    stream.avail_in = static_cast<uInt>(length);
    const int flush = last == image.Height() ? Z_FINISH : Z_SYNC_FLUSH;
    for (;;) {
        const std::size_t done = stream.total_out;
        stream.next_out = band.Deflated.data() + done;
        stream.avail_out = static_cast<uInt>(band.Deflated.size() - done);
        const int status = deflate(&stream, flush);
        Check(status);
        if (status == Z_STREAM_END || (flush == Z_SYNC_FLUSH && stream.avail_out > 0)) {
            break;
        }
        band.Deflated.resize(band.Deflated.size() * 2);
    }
    band.Deflated.resize(stream.total_out);
}

}  // namespace

std::vector<std::uint8_t> DeflateRowsInBands(const Image& image, unsigned threads)
{
    const int count = std::max(1, (image.Height() + kPngBandRows - 1) / kPngBandRows);
    std::vector<Band> bands(static_cast<std::size_t>(count));
    std::atomic<int> next{0};
    std::atomic<bool> failed{false};
    const auto work = [&] {
        for (int b = next++; b < count && !failed; b = next++) {
            Band& band = bands[static_cast<std::size_t>(b)];
            try {
                DeflateBand(image, b * kPngBandRows,
                            std::min(image.Height(), (b + 1) * kPngBandRows), band);
            } catch (...) {
                band.Failure = std::current_exception();
                failed = true;
            }
        }
    };
    std::vector<std::thread> helpers;
    const unsigned wanted = std::min(std::max(threads, 1u), static_cast<unsigned>(count));
    for (unsigned t = 1; t < wanted; ++t) {
        try {
            helpers.emplace_back(work);
        } catch (const std::system_error&) {
            break;  // the threads there are share the bands
        }
    }
    work();
    for (std::thread& helper : helpers) {
        helper.join();
    }

    std::size_t total = 6;
    for (const Band& band : bands) {
        if (band.Failure) {
            std::rethrow_exception(band.Failure);
        }
        total += band.Deflated.size();
    }
    std::vector<std::uint8_t> stream;
    stream.reserve(total);
    // Deflate with a 32 KiB window at the default level.
    stream.push_back(0x78);
    stream.push_back(0x9c);
    uLong adler = adler32(0, nullptr, 0);
    for (const Band& band : bands) {
        stream.insert(stream.end(), band.Deflated.begin(), band.Deflated.end());
        adler = adler32_combine(adler, band.Adler, static_cast<z_off_t>(band.Length));
    }
    AppendBe32(stream, static_cast<std::uint32_t>(adler));
    return stream;
}

}  // namespace qm
