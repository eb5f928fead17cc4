// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "core/Random.h"

namespace qm {
namespace {

TEST(Random, StepsTheSeedBeforeEachDraw)
{
    rng::SetSeed(0);
    // 0 * 134775813 + 1 = 1; upper half of 10 * 1 is 0.
    EXPECT_EQ(rng::Random(10), 0u);
    EXPECT_EQ(rng::Seed(), 1u);
    // 1 * 134775813 + 1 = 134775814; (1000 * 134775814) >> 32 = 31.
    EXPECT_EQ(rng::Random(1000), 31u);
    EXPECT_EQ(rng::Seed(), 134775814u);
}

TEST(Random, WrapsModulo32BitsAndUsesTheUpperHalfOfTheProduct)
{
    rng::SetSeed(0xFFFFFFFFu);
    // 0xFFFFFFFF * 134775813 + 1 = -134775812 mod 2^32 = 4160191484.
    EXPECT_EQ(rng::Random(0xFFFFFFFFu), 4160191483u);
    EXPECT_EQ(rng::Seed(), 4160191484u);
    rng::SetSeed(7);
    EXPECT_EQ(rng::Random(0), 0u);
    EXPECT_EQ(rng::Seed(), 943430692u);
}

TEST(Random, FractionIsTheSeedOver2To32)
{
    rng::SetSeed(0x7FFFFFFFu);
    // 0x7FFFFFFF * 134775813 + 1 = 2012707836 (mod 2^32).
    EXPECT_DOUBLE_EQ(rng::RandomFraction(), 2012707836.0 / 4294967296.0);
    rng::SetSeed(0xFFFFFFFFu - 134775812u);
    const double f = rng::RandomFraction();
    EXPECT_GE(f, 0.0);
    EXPECT_LT(f, 1.0);
}

TEST(Random, FixedReseedRepeatsTheSequence)
{
    rng::FixReseed(12345u);
    rng::Reseed();
    const std::uint32_t a = rng::Random(1u << 31);
    const std::uint32_t b = rng::Random(1u << 31);
    rng::Reseed();
    EXPECT_EQ(rng::Random(1u << 31), a);
    EXPECT_EQ(rng::Random(1u << 31), b);
    rng::FixReseed(std::nullopt);
}

TEST(Random, StaysBelowN)
{
    rng::SetSeed(99);
    for (int i = 0; i < 10000; ++i) {
        EXPECT_LT(rng::Random(7), 7u);
    }
}

}  // namespace
}  // namespace qm
