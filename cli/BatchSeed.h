// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string_view>

namespace qm {

// FNV-1a of the bytes of text, 64 bits: offset basis 14695981039346656037,
// prime 1099511628211.
std::uint64_t Fnv1a64(std::string_view text);

// The seed of the picture whose path below the batch folder is
// relativePath, in a batch given seed: seed XOR the low and the high 32
// bits of Fnv1a64(relativePath). It depends on nothing else the folder
// holds, so adding or removing a picture moves no other picture's tiles.
std::uint32_t PictureSeed(std::uint32_t seed, std::string_view relativePath);

}  // namespace qm
