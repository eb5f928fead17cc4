// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace qm::test {

// Makes every reseed of the program's generator take the given seed for the
// life of the object, so that a run or a shuffle can be repeated; the
// generator is back on the clock afterwards.
class FixedSeed {
public:
    explicit FixedSeed(std::uint32_t seed);
    ~FixedSeed();
    FixedSeed(const FixedSeed&) = delete;
    FixedSeed& operator=(const FixedSeed&) = delete;
};

}  // namespace qm::test
