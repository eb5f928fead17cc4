// SPDX-License-Identifier: MIT
#include "support/FixedSeed.h"

#include <optional>

#include "core/Random.h"

namespace qm::test {

FixedSeed::FixedSeed(std::uint32_t seed)
{
    rng::FixReseed(seed);
}

FixedSeed::~FixedSeed()
{
    rng::FixReseed(std::nullopt);
}

}  // namespace qm::test
