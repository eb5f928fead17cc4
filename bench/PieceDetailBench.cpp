// SPDX-License-Identifier: MIT
// The detail of pieces as skipping flat pieces judges them: the summed-area
// tables of a fitted photograph (910 x 512, a 16:9 picture fitted to cut
// 128 at 25 %), one piece judged from them, and one piece summed pixel by
// pixel at cuts 128 and 256.
#include <benchmark/benchmark.h>

#include "app/run/PieceDetail.h"
#include "core/Random.h"

namespace qm {
namespace {

Image Fitted()
{
    Image picture(910, 512);
    Lcg noise(3);
    for (int y = 0; y < picture.Height(); ++y) {
        for (std::size_t i = 0; i < picture.RowBytes(); ++i) {
            picture.Row(y)[i] = static_cast<std::uint8_t>(noise.Random(256));
        }
    }
    return picture;
}

void TablesOfAFittedPhoto(benchmark::State& state)
{
    const Image picture = Fitted();
    for (auto _ : state) {
        const PieceDetail detail(picture, true);
        benchmark::DoNotOptimize(detail.Of(Rect{0, 0, 128, 128}));
    }
}
BENCHMARK(TablesOfAFittedPhoto)->Unit(benchmark::kMillisecond);

void OnePiece(benchmark::State& state)
{
    const Image picture = Fitted();
    const int cut = static_cast<int>(state.range(0));
    const PieceDetail detail(picture, state.range(1) != 0);
    Lcg positions(5);
    for (auto _ : state) {
        const Rect piece{static_cast<int>(positions.Random(static_cast<std::uint32_t>(910 - cut))),
                         static_cast<int>(positions.Random(static_cast<std::uint32_t>(512 - cut))), cut,
                         cut};
        benchmark::DoNotOptimize(detail.Of(piece));
    }
}
BENCHMARK(OnePiece)->ArgNames({"cut", "tables"})->ArgsProduct({{128, 256}, {0, 1}})->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qm
