// SPDX-License-Identifier: MIT
#include "core/Random.h"

#include <ctime>

namespace qm::rng {
namespace {

Lcg g_generator;
std::optional<std::uint32_t> g_fixed;
std::function<void(std::uint32_t, bool)> g_observer;

}  // namespace

Lcg& Global()
{
    return g_generator;
}

void Reseed()
{
    if (g_fixed) {
        g_generator.SetSeed(*g_fixed);
    } else {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        const std::uint64_t nanos = static_cast<std::uint64_t>(now.tv_sec) * 1000000000u +
                                    static_cast<std::uint64_t>(now.tv_nsec);
        g_generator.SetSeed(static_cast<std::uint32_t>(nanos));
    }
    if (g_observer) {
        g_observer(g_generator.Seed(), g_fixed.has_value());
    }
}

std::uint32_t Seed()
{
    return g_generator.Seed();
}

void SetSeed(std::uint32_t seed)
{
    g_generator.SetSeed(seed);
}

void FixReseed(std::optional<std::uint32_t> seed)
{
    g_fixed = seed;
}

void ObserveReseeds(std::function<void(std::uint32_t seed, bool fixed)> observer)
{
    g_observer = std::move(observer);
}

}  // namespace qm::rng
