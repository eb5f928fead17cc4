// SPDX-License-Identifier: MIT
#include "BenchTiles.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "core/Random.h"
#include "engine/MethodCatalogue.h"

namespace qm::bench {

std::vector<CutPosition> SeededCutPositions(int sourceWidth, int sourceHeight, int cut, int count,
                                            std::uint32_t seed)
{
    if (sourceWidth < cut || sourceHeight < cut) {
        throw std::runtime_error("source smaller than the cut");
    }
    rng::FixReseed(seed);
    rng::Reseed();
    rng::FixReseed(std::nullopt);
    std::vector<CutPosition> positions;
    for (int i = 0; i < count; ++i) {
        CutPosition p;
        p.X = static_cast<int>(rng::Random(static_cast<std::uint32_t>(sourceWidth - cut)));
        p.Y = static_cast<int>(rng::Random(static_cast<std::uint32_t>(sourceHeight - cut)));
        positions.push_back(p);
    }
    return positions;
}

std::vector<Image> MakeTiles(const Image& source, std::uint8_t code, int cut,
                             const std::vector<CutPosition>& positions)
{
    // The distorted square with the window's starting rotate number.
    const std::unique_ptr<TMakeUnit> maker = CreateBuiltinMaker(code, MakerSettings{3});
    if (maker) {
        maker->LargeCuts = cut > TMakeUnit::kPixelSide;
    }
    if (!maker || !maker->Prepare(TPoint{cut, cut}, false)) {
        throw std::runtime_error("the maker of method " + std::to_string(code) + " refused");
    }
    std::vector<Image> tiles;
    Image piece(cut, cut);
    for (const CutPosition& p : positions) {
        piece.CopyRect(0, 0, source, Rect{p.X, p.Y, cut, cut});
        if (!maker->Make(piece)) {
            throw std::runtime_error("Make failed with code " + std::to_string(maker->ErrorCode()));
        }
        tiles.push_back(maker->ResultImage());
    }
    return tiles;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace qm::bench
