// SPDX-License-Identifier: MIT
#include "imageio/TiffStream.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

namespace qm {

TIFF* TiffStream::Open(const char* mode, std::int64_t maxAllocation)
{
    writing_ = mode[0] == 'w';
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    if (options == nullptr) {
        Error = "Out of memory";
        return nullptr;
    }
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, static_cast<tmsize_t>(maxAllocation));
    TIFFOpenOptionsSetErrorHandlerExtR(options, KeepError, this);
    TIFFOpenOptionsSetWarningHandlerExtR(options, DropWarning, this);
    // "m": no memory mapping, every read through Read, which checks its bounds.
    const std::string fullMode = std::string(mode) + "m";
    TIFF* tiff = TIFFClientOpenExt("memory", fullMode.c_str(), this, Read, Write, Seek, Close, Size,
                                   Map, Unmap, options);
    TIFFOpenOptionsFree(options);
    if (tiff == nullptr && Error.empty()) {
        Error = "Cannot open the file";
    }
    return tiff;
}

tmsize_t TiffStream::Read(thandle_t handle, void* buffer, tmsize_t size)
{
    auto* stream = static_cast<TiffStream*>(handle);
    const std::span<const std::uint8_t> source =
        stream->writing_ ? std::span<const std::uint8_t>(stream->written_) : stream->read_;
    if (size < 0 || stream->position_ >= source.size()) {
        return 0;
    }
    const std::size_t count =
        std::min<std::uint64_t>(static_cast<std::uint64_t>(size), source.size() - stream->position_);
    std::memcpy(buffer, source.data() + stream->position_, count);
    stream->position_ += count;
    return static_cast<tmsize_t>(count);
}

tmsize_t TiffStream::Write(thandle_t handle, void* buffer, tmsize_t size)
{
    auto* stream = static_cast<TiffStream*>(handle);
    if (!stream->writing_ || size < 0) {
        return -1;
    }
    const std::uint64_t end = stream->position_ + static_cast<std::uint64_t>(size);
    try {
        if (end > stream->written_.size()) {
            stream->written_.resize(end);
        }
    } catch (const std::bad_alloc&) {
        return -1;
    }
    std::memcpy(stream->written_.data() + stream->position_, buffer, static_cast<std::size_t>(size));
    stream->position_ = end;
    return size;
}

toff_t TiffStream::Seek(thandle_t handle, toff_t offset, int whence)
{
    auto* stream = static_cast<TiffStream*>(handle);
    const std::uint64_t size = stream->writing_ ? stream->written_.size() : stream->read_.size();
    std::uint64_t base = 0;
    if (whence == SEEK_CUR) {
        base = stream->position_;
    } else if (whence == SEEK_END) {
        base = size;
    }
    // Offsets come as unsigned numbers; one past 2^62 is a negative step
    // from a corrupt file and is refused.
    if (offset > (std::uint64_t{1} << 62) || base + offset > (std::uint64_t{1} << 62)) {
        return static_cast<toff_t>(-1);
    }
    stream->position_ = base + offset;
    return stream->position_;
}

int TiffStream::Close(thandle_t)
{
    return 0;
}

toff_t TiffStream::Size(thandle_t handle)
{
    auto* stream = static_cast<TiffStream*>(handle);
    return stream->writing_ ? stream->written_.size() : stream->read_.size();
}

int TiffStream::Map(thandle_t, void**, toff_t*)
{
    return 0;
}

void TiffStream::Unmap(thandle_t, void*, toff_t) {}

int TiffStream::KeepError(TIFF*, void* handle, const char*, const char* format, va_list args)
{
    char text[200];
    std::vsnprintf(text, sizeof text, format, args);
    static_cast<TiffStream*>(handle)->Error = text;
    return 1;
}

int TiffStream::DropWarning(TIFF*, void*, const char*, const char*, va_list)
{
    return 1;
}

}  // namespace qm
