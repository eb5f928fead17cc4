// SPDX-License-Identifier: MIT
// Prints the cut positions a seeded run draws, one "x y" line per tile, so
// that other programs can cut the very same pieces.
//
// cut_positions <source width> <source height> <cut> <count> <seed>

#include <cstdio>
#include <cstdlib>
#include <exception>

#include "BenchTiles.h"

int main(int argc, char** argv)
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: cut_positions <source width> <source height> <cut> <count> <seed>\n");
        return 2;
    }
    try {
        const auto positions = qm::bench::SeededCutPositions(
            std::atoi(argv[1]), std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]),
            static_cast<std::uint32_t>(std::strtoul(argv[5], nullptr, 10)));
        for (const auto& p : positions) {
            std::printf("%d %d\n", p.X, p.Y);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
