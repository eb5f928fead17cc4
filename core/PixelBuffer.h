// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>

namespace qm {

// The bytes of a picture's pixels, left uninitialised when made, so that a
// picture its decoder fills is not cleared first. Blocks of 8 MiB and more
// start on a 2 MiB boundary and are asked to be backed by huge pages: writing
// a large picture then takes a few hundred page faults, not tens of
// thousands.
class PixelBuffer {
public:
    PixelBuffer() = default;
    explicit PixelBuffer(std::size_t size);
    PixelBuffer(const PixelBuffer& other);
    PixelBuffer(PixelBuffer&& other) noexcept;
    PixelBuffer& operator=(const PixelBuffer& other);
    PixelBuffer& operator=(PixelBuffer&& other) noexcept;
    ~PixelBuffer();

    std::size_t size() const { return size_; }
    std::uint8_t* data() { return data_; }
    const std::uint8_t* data() const { return data_; }
    std::uint8_t operator[](std::size_t i) const { return data_[i]; }
    const std::uint8_t* begin() const { return data_; }
    const std::uint8_t* end() const { return data_ + size_; }

    bool operator==(const PixelBuffer& other) const;

private:
    std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};

}  // namespace qm
