// SPDX-License-Identifier: MIT
#include "cli/BatchSeed.h"

namespace qm {

std::uint64_t Fnv1a64(std::string_view text)
{
    std::uint64_t hash = 14695981039346656037u;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211u;
    }
    return hash;
}

std::uint32_t PictureSeed(std::uint32_t seed, std::string_view relativePath)
{
    const std::uint64_t hash = Fnv1a64(relativePath);
    return seed ^ static_cast<std::uint32_t>(hash) ^ static_cast<std::uint32_t>(hash >> 32);
}

}  // namespace qm
