// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <new>
#include <utility>

namespace qm {

// Raw memory for pixels: blocks of kHugeBlockBytes or more start on a 2 MiB
// boundary and are asked to be backed by huge pages, so that writing a large
// picture takes a few hundred page faults instead of tens of thousands.
void* AllocatePixelMemory(std::size_t bytes);
void FreePixelMemory(void* memory, std::size_t bytes) noexcept;
inline constexpr std::size_t kHugeBlockBytes = std::size_t{8} << 20;

// Allocator of pixel buffers. A buffer grown without a value is left
// uninitialised, so that a picture its decoder fills is not cleared first.
template <class T>
struct PixelAllocator {
    using value_type = T;

    PixelAllocator() = default;
    template <class U>
    explicit PixelAllocator(const PixelAllocator<U>&) noexcept
    {
    }

    T* allocate(std::size_t n) { return static_cast<T*>(AllocatePixelMemory(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { FreePixelMemory(p, n * sizeof(T)); }

    template <class U>
    void construct(U* p) noexcept
    {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }

    friend bool operator==(const PixelAllocator&, const PixelAllocator&) { return true; }
};

}  // namespace qm
