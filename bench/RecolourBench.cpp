// SPDX-License-Identifier: MIT
// Colourways and the palette gradient map over the 100 kaleidoscope tiles
// (768 x 442) of a seeded run at cut 256 from a photograph, and the same
// conversion done for every pixel without remembering colours.
//
//   recolour_bench [PHOTO] [benchmark options]
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

#include "BenchTiles.h"
#include "effects/Colourway.h"
#include "effects/PaletteMap.h"
#include "imageio/ImageFiles.h"

namespace qm {
namespace {

std::string g_photo = QM_FIXTURES "/photos/Garden.jpg";

const std::vector<Image>& Tiles()
{
    static const std::vector<Image> tiles = [] {
        const Image source = LoadImageFile(g_photo, true);
        return bench::MakeTiles(source, 1, 256,
                                bench::SeededCutPositions(source.Width(), source.Height(), 256, 100, 42));
    }();
    return tiles;
}

// A run with colourway 2 of 3: one object for all its tiles.
void ColourwayOf100Tiles(benchmark::State& state)
{
    for (auto _ : state) {
        Colourway variant(2, 3);
        for (const Image& tile : Tiles()) {
            benchmark::DoNotOptimize(variant.Apply(tile).Row(0));
        }
    }
}
BENCHMARK(ColourwayOf100Tiles)->Unit(benchmark::kMillisecond);

void PaletteMapOf100Tiles(benchmark::State& state)
{
    PaletteMap map({{16, 24, 64}, {200, 60, 40}, {250, 210, 120}, {40, 120, 110}, {245, 245, 235}});
    for (auto _ : state) {
        for (const Image& tile : Tiles()) {
            benchmark::DoNotOptimize(map.Apply(tile).Row(0));
        }
    }
}
BENCHMARK(PaletteMapOf100Tiles)->Unit(benchmark::kMillisecond);

// The colourway's conversion for every pixel of the 100 tiles, without the
// cache: what the cache saves.
void ColourwayConversionPerPixel(benchmark::State& state)
{
    const double turn = 2.0 * std::acos(-1.0) / 3.0;
    for (auto _ : state) {
        for (const Image& tile : Tiles()) {
            for (int y = 0; y < tile.Height(); ++y) {
                const std::uint8_t* p = tile.Row(y);
                for (int x = 0; x < tile.Width(); ++x, p += 3) {
                    OkLch colour = LchFromLab(OkLabOf({p[2], p[1], p[0]}));
                    colour.H += turn;
                    benchmark::DoNotOptimize(SrgbInGamut(LabFromLch(colour)));
                }
            }
        }
    }
}
BENCHMARK(ColourwayConversionPerPixel)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qm

int main(int argc, char** argv)
{
    if (argc > 1 && argv[1][0] != '-') {
        qm::g_photo = argv[1];
        --argc;
        ++argv;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
