// SPDX-License-Identifier: MIT
#include "core/PixelBuffer.h"

#include <sys/mman.h>

#include <cstring>
#include <new>
#include <utility>

namespace qm {
namespace {

constexpr std::size_t kHugeBlockBytes = std::size_t{8} << 20;
constexpr std::align_val_t kHugePageAlignment{std::size_t{2} << 20};
constexpr std::size_t kPageBytes = 4096;

std::uint8_t* Allocate(std::size_t bytes)
{
    if (bytes < kHugeBlockBytes) {
        return static_cast<std::uint8_t*>(::operator new(bytes));
    }
    void* memory = ::operator new(bytes, kHugePageAlignment);
    // Only advice: without huge pages the block works as well, more slowly.
    madvise(memory, (bytes + kPageBytes - 1) / kPageBytes * kPageBytes, MADV_HUGEPAGE);
    return static_cast<std::uint8_t*>(memory);
}

void Free(std::uint8_t* memory, std::size_t bytes)
{
    if (memory == nullptr) {
        return;
    }
    if (bytes < kHugeBlockBytes) {
        ::operator delete(memory);
    } else {
        ::operator delete(memory, kHugePageAlignment);
    }
}

}  // namespace

PixelBuffer::PixelBuffer(std::size_t size) : data_(size > 0 ? Allocate(size) : nullptr), size_(size)
{
}

PixelBuffer::PixelBuffer(const PixelBuffer& other) : PixelBuffer(other.size_)
{
    if (size_ > 0) {
        std::memcpy(data_, other.data_, size_);
    }
}

PixelBuffer::PixelBuffer(PixelBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0))
{
}

PixelBuffer& PixelBuffer::operator=(const PixelBuffer& other)
{
    if (this != &other) {
        *this = PixelBuffer(other);
    }
    return *this;
}

PixelBuffer& PixelBuffer::operator=(PixelBuffer&& other) noexcept
{
    std::swap(data_, other.data_);
    std::swap(size_, other.size_);
    return *this;
}

PixelBuffer::~PixelBuffer()
{
    Free(data_, size_);
}

bool PixelBuffer::operator==(const PixelBuffer& other) const
{
    return size_ == other.size_ && (size_ == 0 || std::memcmp(data_, other.data_, size_) == 0);
}

}  // namespace qm
