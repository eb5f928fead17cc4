// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace qm {

// A 32-bit linear congruential generator. Every draw first steps
// seed = seed * 134775813 + 1 (mod 2^32).
class Lcg {
public:
    explicit Lcg(std::uint32_t seed = 0) : seed_(seed) {}

    // Whole number from 0 to n-1: the upper 32 bits of the 64-bit product of
    // n and the stepped seed, both unsigned. 0 for n = 0.
    std::uint32_t Random(std::uint32_t n)
    {
        const std::uint64_t product = static_cast<std::uint64_t>(n) * Step();
        return static_cast<std::uint32_t>(product >> 32);
    }

    // Fraction seed / 2^32 of the stepped seed, from 0 up to but not
    // including 1.
    double RandomFraction() { return static_cast<double>(Step()) / 4294967296.0; }

    std::uint32_t Seed() const { return seed_; }
    void SetSeed(std::uint32_t seed) { seed_ = seed; }

private:
    std::uint32_t Step()
    {
        seed_ = seed_ * 134775813u + 1u;
        return seed_;
    }

    std::uint32_t seed_;
};

// The program-wide generator, which the runs and the shuffle draw from.
namespace rng {

Lcg& Global();

// Draws of the program-wide generator.
inline std::uint32_t Random(std::uint32_t n)
{
    return Global().Random(n);
}
inline double RandomFraction()
{
    return Global().RandomFraction();
}

// Takes a fresh seed: the fixed seed when one is set, otherwise the low 32
// bits of the monotonic nanosecond clock.
void Reseed();

std::uint32_t Seed();
void SetSeed(std::uint32_t seed);

// With a value, every Reseed() sets exactly that seed, so a run can be
// repeated; without, Reseed() reads the clock again.
void FixReseed(std::optional<std::uint32_t> seed);

// Called with every seed Reseed() takes and whether it was the fixed one,
// so a run can keep the seeds of its draws; an empty function stops it.
void ObserveReseeds(std::function<void(std::uint32_t seed, bool fixed)> observer);

}  // namespace rng
}  // namespace qm
