// SPDX-License-Identifier: MIT
#pragma once

#include <tiffio.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace qm {

// A TIFF file in memory for libtiff: either bytes to read or a growing
// buffer to write. libtiff's errors are kept in Error (the last one) and
// its warnings dropped.
class TiffStream {
public:
    explicit TiffStream(std::span<const std::uint8_t> bytes) : read_(bytes) {}
    TiffStream() = default;
    TiffStream(const TiffStream&) = delete;
    TiffStream& operator=(const TiffStream&) = delete;

    // Opens the stream with mode ("r" or "w"); null on failure, with the
    // reason in Error. No single allocation of libtiff's may exceed
    // maxAllocation bytes.
    TIFF* Open(const char* mode, std::int64_t maxAllocation);

    // What has been written.
    std::vector<std::uint8_t>& Written() { return written_; }

    std::string Error;

private:
    static tmsize_t Read(thandle_t stream, void* buffer, tmsize_t size);
    static tmsize_t Write(thandle_t stream, void* buffer, tmsize_t size);
    static toff_t Seek(thandle_t stream, toff_t offset, int whence);
    static int Close(thandle_t stream);
    static toff_t Size(thandle_t stream);
    static int Map(thandle_t stream, void** base, toff_t* size);
    static void Unmap(thandle_t stream, void* base, toff_t size);
    static int KeepError(TIFF*, void* stream, const char* module, const char* format, va_list args);
    static int DropWarning(TIFF*, void*, const char*, const char*, va_list);

    std::span<const std::uint8_t> read_;
    std::vector<std::uint8_t> written_;
    std::uint64_t position_ = 0;
    bool writing_ = false;
};

// Closes a libtiff handle.
struct TiffCloser {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
using TiffHandle = std::unique_ptr<TIFF, TiffCloser>;

}  // namespace qm
