// SPDX-License-Identifier: MIT
// Prepare and Make of every built-in method at the largest cut size. The
// catalogue is read when the benchmarks are registered, so a method added to
// it is measured without a change here.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>

#include "core/Image.h"
#include "engine/MethodCatalogue.h"

namespace qm {
namespace {

constexpr int kCutSize = 256;
// The distorted square's setting as the program starts with it.
constexpr std::int32_t kRotateNum = 3;

std::unique_ptr<TMakeUnit> NewMaker(const MethodInfo& method)
{
    return CreateBuiltinMaker(method.code, MakerSettings{kRotateNum});
}

Image NoisePiece()
{
    std::mt19937 engine(2024);
    Image piece(kCutSize, kCutSize);
    for (int y = 0; y < kCutSize; ++y) {
        std::uint8_t* row = piece.Row(y);
        for (std::size_t i = 0; i < piece.RowBytes(); ++i) {
            row[i] = static_cast<std::uint8_t>(engine());
        }
    }
    return piece;
}

void PrepareBench(benchmark::State& state, const MethodInfo& method, bool shuffle)
{
    auto maker = NewMaker(method);
    if (!maker->Prepare({kCutSize, kCutSize}, shuffle)) {
        state.SkipWithError(("Prepare failed with code " + std::to_string(maker->ErrorCode())).c_str());
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(maker->Prepare({kCutSize, kCutSize}, shuffle));
    }
}

void MakeBench(benchmark::State& state, const MethodInfo& method)
{
    auto maker = NewMaker(method);
    const Image piece = NoisePiece();
    if (!maker->Prepare({kCutSize, kCutSize}, false) || !maker->Make(piece) ||
        maker->ResultImage().Empty()) {
        state.SkipWithError(("no tile, error code " + std::to_string(maker->ErrorCode())).c_str());
        return;
    }
    const Image& tile = maker->ResultImage();
    state.counters["tile_width"] = tile.Width();
    state.counters["tile_height"] = tile.Height();
    for (auto _ : state) {
        benchmark::DoNotOptimize(maker->Make(piece));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * tile.Width() * tile.Height());
}

bool RegisterMakerBenchmarks()
{
    for (const MethodInfo& method : BuiltinMethods()) {
        const std::string name = method.cliName;
        benchmark::RegisterBenchmark(("Prepare/" + name).c_str(), PrepareBench, method, false)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("PrepareShuffled/" + name).c_str(), PrepareBench, method, true)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("Make/" + name).c_str(), MakeBench, method)
            ->Unit(benchmark::kMicrosecond);
    }
    return true;
}

const bool g_registered = RegisterMakerBenchmarks();

}  // namespace
}  // namespace qm
