// SPDX-License-Identifier: MIT
#include "imageio/colour/BoundedContext.h"

#include <lcms2_plugin.h>

#include <cstdlib>
#include <cstring>

namespace qm::colour {
namespace {

// Each block is led by its size, so that freeing can count it back.
constexpr std::size_t kHeader = 16;

std::atomic<std::size_t>& Counter(cmsContext context)
{
    return *static_cast<std::atomic<std::size_t>*>(cmsGetContextUserData(context));
}

void* Allocate(cmsContext context, cmsUInt32Number size)
{
    std::atomic<std::size_t>& used = Counter(context);
    const std::size_t total = used.fetch_add(size) + size;
    if (total > kMaxColourMemory) {
        used.fetch_sub(size);
        return nullptr;
    }
    auto* block = static_cast<unsigned char*>(std::malloc(kHeader + size));
    if (block == nullptr) {
        used.fetch_sub(size);
        return nullptr;
    }
    std::memcpy(block, &size, sizeof size);
    return block + kHeader;
}

void Free(cmsContext context, void* pointer)
{
    if (pointer == nullptr) {
        return;
    }
    auto* block = static_cast<unsigned char*>(pointer) - kHeader;
    cmsUInt32Number size = 0;
    std::memcpy(&size, block, sizeof size);
    Counter(context).fetch_sub(size);
    std::free(block);
}

void* Reallocate(cmsContext context, void* pointer, cmsUInt32Number size)
{
    void* moved = Allocate(context, size);
    if (moved == nullptr || pointer == nullptr) {
        return moved;
    }
    cmsUInt32Number old = 0;
    std::memcpy(&old, static_cast<unsigned char*>(pointer) - kHeader, sizeof old);
    std::memcpy(moved, pointer, old < size ? old : size);
    Free(context, pointer);
    return moved;
}

void Silence(cmsContext, cmsUInt32Number, const char*) {}

cmsPluginMemHandler MemoryPlugin()
{
    cmsPluginMemHandler plugin{};
    plugin.base.Magic = cmsPluginMagicNumber;
    plugin.base.ExpectedVersion = 2060;
    plugin.base.Type = cmsPluginMemHandlerSig;
    plugin.MallocPtr = Allocate;
    plugin.FreePtr = Free;
    plugin.ReallocPtr = Reallocate;
    return plugin;
}

}  // namespace

BoundedContext::BoundedContext()
{
    cmsPluginMemHandler plugin = MemoryPlugin();
    context_ = cmsCreateContext(&plugin, &used_);
    if (context_ != nullptr) {
        cmsSetLogErrorHandlerTHR(context_, Silence);
    }
}

BoundedContext::~BoundedContext()
{
    if (context_ != nullptr) {
        cmsDeleteContext(context_);
    }
}

}  // namespace qm::colour
