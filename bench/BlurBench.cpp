// SPDX-License-Identifier: MIT
// Blur of a whole source picture of the size the run benchmarks use.
#include <benchmark/benchmark.h>

#include <random>

#include "effects/ImageEffect.h"

namespace qm {
namespace {

void BlurPicture(benchmark::State& state)
{
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    Image picture(width, height);
    std::mt19937 engine(7);
    for (int y = 0; y < height; ++y) {
        for (std::size_t i = 0; i < picture.RowBytes(); ++i) {
            picture.Row(y)[i] = static_cast<std::uint8_t>(engine());
        }
    }
    for (auto _ : state) {
        Blur(picture);
        benchmark::DoNotOptimize(picture.Row(0));
    }
}
BENCHMARK(BlurPicture)->Args({2560, 1600})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qm
