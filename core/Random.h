// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>

namespace qm {

// The program-wide pseudo-random generator: a 32-bit linear congruential
// generator. Every draw first steps seed = seed * 134775813 + 1 (mod 2^32).
namespace rng {

// Whole number from 0 to n-1: the upper 32 bits of the 64-bit product of n
// and the stepped seed, both unsigned. 0 for n = 0.
std::uint32_t Random(std::uint32_t n);

// Fraction seed / 2^32 of the stepped seed, from 0 up to but not including 1.
double RandomFraction();

// Takes a fresh seed: the fixed seed when one is set, otherwise the low 32
// bits of the monotonic nanosecond clock.
void Reseed();

std::uint32_t Seed();
void SetSeed(std::uint32_t seed);

// With a value, every Reseed() sets exactly that seed, so a run can be
// repeated; without, Reseed() reads the clock again.
void FixReseed(std::optional<std::uint32_t> seed);

}  // namespace rng
}  // namespace qm
