// SPDX-License-Identifier: MIT
// Prepare and Make of every built-in method and wallpaper group at the
// largest cut size, and at the largest of large cuts (names ending in /2048,
// wall time). The catalogue is read when the benchmarks are registered, so a
// method added to it is measured without a change here. Items per second
// count tile pixels: Make/p6m against Make/kaleidoscope compares the cost
// of a tile pixel.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/Image.h"
#include "engine/MethodCatalogue.h"

namespace qm {
namespace {

constexpr int kCutSize = 256;
constexpr int kLargeCutSize = TMakeUnit::kLargeCutSide;
// The distorted square's setting as the program starts with it.
constexpr std::int32_t kRotateNum = 3;

std::unique_ptr<TMakeUnit> NewMaker(const MethodInfo& method, int cut)
{
    auto maker = GroupMethod(method.code) != nullptr ? CreateGroupMaker(method.code)
                                                     : CreateBuiltinMaker(method.code, MakerSettings{kRotateNum});
    maker->LargeCuts = cut > kCutSize;
    return maker;
}

Image NoisePiece(int cut)
{
    std::mt19937 engine(2024);
    Image piece(cut, cut);
    for (int y = 0; y < cut; ++y) {
        std::uint8_t* row = piece.Row(y);
        for (std::size_t i = 0; i < piece.RowBytes(); ++i) {
            row[i] = static_cast<std::uint8_t>(engine());
        }
    }
    return piece;
}

void PrepareBench(benchmark::State& state, const MethodInfo& method, bool shuffle, int cut)
{
    auto maker = NewMaker(method, cut);
    if (!maker->Prepare({cut, cut}, shuffle)) {
        state.SkipWithError(("Prepare failed with code " + std::to_string(maker->ErrorCode())).c_str());
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(maker->Prepare({cut, cut}, shuffle));
    }
}

void MakeBench(benchmark::State& state, const MethodInfo& method, int cut)
{
    auto maker = NewMaker(method, cut);
    const Image piece = NoisePiece(cut);
    if (!maker->Prepare({cut, cut}, false) || !maker->Make(piece) ||
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
    std::vector<MethodInfo> methods(BuiltinMethods().begin(), BuiltinMethods().end());
    methods.insert(methods.end(), GroupMethods().begin(), GroupMethods().end());
    for (const MethodInfo& method : methods) {
        const std::string name = method.cliName;
        benchmark::RegisterBenchmark(("Prepare/" + name).c_str(), PrepareBench, method, false,
                                     kCutSize)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("PrepareShuffled/" + name).c_str(), PrepareBench, method, true,
                                     kCutSize)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("Make/" + name).c_str(), MakeBench, method, kCutSize)
            ->Unit(benchmark::kMicrosecond);
        // Wall time: the warps of large cuts are shared among the cores.
        benchmark::RegisterBenchmark(("Prepare/" + name + "/2048").c_str(), PrepareBench, method,
                                     false, kLargeCutSize)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(("Make/" + name + "/2048").c_str(), MakeBench, method,
                                     kLargeCutSize)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    return true;
}

const bool g_registered = RegisterMakerBenchmarks();

}  // namespace
}  // namespace qm
