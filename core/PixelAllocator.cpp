// SPDX-License-Identifier: MIT
#include "core/PixelAllocator.h"

#include <sys/mman.h>

namespace qm {
namespace {

constexpr std::align_val_t kHugePageAlignment{std::size_t{2} << 20};
constexpr std::size_t kPageBytes = 4096;

}  // namespace

void* AllocatePixelMemory(std::size_t bytes)
{
    if (bytes < kHugeBlockBytes) {
        return ::operator new(bytes);
    }
    void* memory = ::operator new(bytes, kHugePageAlignment);
    // Only advice: without huge pages the block works as well, more slowly.
    madvise(memory, (bytes + kPageBytes - 1) / kPageBytes * kPageBytes, MADV_HUGEPAGE);
    return memory;
}

void FreePixelMemory(void* memory, std::size_t bytes) noexcept
{
    if (bytes < kHugeBlockBytes) {
        ::operator delete(memory);
    } else {
        ::operator delete(memory, kHugePageAlignment);
    }
}

}  // namespace qm
