// SPDX-License-Identifier: MIT
// Time and size of one kaleidoscope PNG tile of the largest cut (2048, a
// 6144 x 3546 tile) from a photograph: libpng's one-thread encode as the
// PNG writer does it for tiles of the usual cuts, against the image data
// deflated in bands on one thread and on every core.
//
// large_png_bench <photograph> [repeats] [source.bmp]
//
// A photograph shorter or narrower than 2100 pixels is extended by its
// mirror image (below, then to the right) until it is not. With a third
// argument, that picture is also saved as a BMP file, the source of
// bench/large-cuts.sh's command-line runs. Times are wall clock per tile,
// minimum and median over the repeats.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <thread>
#include <vector>

#include "BenchTiles.h"
#include "engine/UMakeUnit.h"
#include "imageio/ImageFiles.h"
#include "imageio/PngWriter.h"

namespace qm::bench {
namespace {

constexpr int kCut = TMakeUnit::kLargeCutSide;
constexpr int kSourceSide = 2100;
constexpr std::uint8_t kKaleidoscope = 1;

// The picture with its mirror image below.
Image MirroredBelow(const Image& picture)
{
    Image out(picture.Width(), 2 * picture.Height());
    for (int y = 0; y < picture.Height(); ++y) {
        std::copy_n(picture.Row(y), picture.RowBytes(), out.Row(y));
        std::copy_n(picture.Row(y), picture.RowBytes(), out.Row(out.Height() - 1 - y));
    }
    return out;
}

// The picture with its mirror image to the right.
Image MirroredRight(const Image& picture)
{
    Image out(2 * picture.Width(), picture.Height());
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            std::copy_n(picture.Pixel(x, y), 3, out.Pixel(x, y));
            std::copy_n(picture.Pixel(x, y), 3, out.Pixel(out.Width() - 1 - x, y));
        }
    }
    return out;
}

struct Figures {
    double Min = 0;
    double Median = 0;
    std::size_t Bytes = 0;
};

Figures Time(int repeats, const std::function<std::vector<std::uint8_t>()>& encode)
{
    std::vector<double> times;
    Figures figures;
    for (int r = 0; r < repeats; ++r) {
        const auto start = std::chrono::steady_clock::now();
        figures.Bytes = encode().size();
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        times.push_back(took.count());
    }
    figures.Min = *std::min_element(times.begin(), times.end());
    figures.Median = bench::Median(times);
    return figures;
}

}  // namespace
}  // namespace qm::bench

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: large_png_bench <photograph> [repeats] [source.bmp]\n");
        return 2;
    }
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 5;
    if (repeats < 1) {
        std::fprintf(stderr, "repeats must be at least 1\n");
        return 2;
    }
    try {
        using namespace qm::bench;
        qm::Image source = qm::LoadImageFile(argv[1]);
        while (source.Height() < kSourceSide) {
            source = MirroredBelow(source);
        }
        while (source.Width() < kSourceSide) {
            source = MirroredRight(source);
        }
        if (argc > 3) {
            qm::SaveBmp(source, argv[3]);
        }
        const auto positions = SeededCutPositions(source.Width(), source.Height(), kCut, 1, 1);
        const qm::Image tile = MakeTiles(source, kKaleidoscope, kCut, positions).front();
        const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
        std::printf("source %dx%d, kaleidoscope tile of cut %d: %dx%d, %d repeats, %u cores\n",
                    source.Width(), source.Height(), kCut, tile.Width(), tile.Height(), repeats,
                    cores);
        struct Row {
            const char* name;
            Figures figures;
        };
        const Row rows[] = {
            {"libpng, one thread", Time(repeats, [&] { return qm::EncodePng(tile); })},
            {"bands, one thread", Time(repeats, [&] { return qm::EncodePngInBands(tile, 1); })},
            {"bands, every core", Time(repeats, [&] { return qm::EncodePngInBands(tile, cores); })},
        };
        const Figures& base = rows[0].figures;
        std::printf("  %-20s %9s %9s %8s %12s %8s\n", "encoder", "min ms", "median ms", "vs libpng",
                    "bytes", "size");
        for (const Row& row : rows) {
            std::printf("  %-20s %9.0f %9.0f %7.2fx %12zu %+7.2f%%\n", row.name, row.figures.Min,
                        row.figures.Median, row.figures.Median / base.Median, row.figures.Bytes,
                        100.0 * (static_cast<double>(row.figures.Bytes) - static_cast<double>(base.Bytes)) /
                            static_cast<double>(base.Bytes));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
