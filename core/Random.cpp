// SPDX-License-Identifier: MIT
#include "core/Random.h"

#include <ctime>

namespace qm::rng {
namespace {

std::uint32_t g_seed = 0;
std::optional<std::uint32_t> g_fixed;

std::uint32_t Step()
{
    g_seed = g_seed * 134775813u + 1u;
    return g_seed;
}

}  // namespace

std::uint32_t Random(std::uint32_t n)
{
    const std::uint64_t product = static_cast<std::uint64_t>(n) * Step();
    return static_cast<std::uint32_t>(product >> 32);
}

double RandomFraction()
{
    return static_cast<double>(Step()) / 4294967296.0;
}

void Reseed()
{
    if (g_fixed) {
        g_seed = *g_fixed;
        return;
    }
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const std::uint64_t nanos =
        static_cast<std::uint64_t>(now.tv_sec) * 1000000000u + static_cast<std::uint64_t>(now.tv_nsec);
    g_seed = static_cast<std::uint32_t>(nanos);
}

std::uint32_t Seed()
{
    return g_seed;
}

void SetSeed(std::uint32_t seed)
{
    g_seed = seed;
}

void FixReseed(std::optional<std::uint32_t> seed)
{
    g_fixed = seed;
}

}  // namespace qm::rng
