// SPDX-License-Identifier: MIT
// Time and size of the PNG row filters on real tiles: the rectangle and the
// kaleidoscope tiles our makers cut from a photograph, encoded the way the
// PNG writer encodes them (8-bit truecolour, zlib's default level, 32768-byte
// IDAT chunks) with every single filter and with libpng's adaptive choice.
// Then, with the up filter the writer uses, zlib's strategies and memory
// levels on the tiles of every method.
//
// png_filter_bench <photograph> [tiles] [repeats] [cut]
//
// Each figure is the median over the repeats of encoding all tiles once, in
// milliseconds per tile, on one thread. The cut is 256 unless given; beyond
// 256 the makers run with large cuts.

#include <png.h>
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <vector>

#include "BenchTiles.h"
#include "engine/MethodCatalogue.h"
#include "imageio/ImageFiles.h"

namespace qm::bench {
namespace {

struct FilterChoice {
    const char* name;
    int filters;
};

constexpr FilterChoice kChoices[] = {
    {"none", PNG_FILTER_NONE},
    {"sub", PNG_FILTER_SUB},
    {"up", PNG_FILTER_UP},
    {"average", PNG_FILTER_AVG},
    {"paeth", PNG_FILTER_PAETH},
    {"sub+up", PNG_FILTER_SUB | PNG_FILTER_UP},
    {"adaptive (libpng default)", PNG_ALL_FILTERS},
};

// How zlib deflates the rows; libpng's own choice for filtered rows is
// Z_FILTERED at memory level 8.
struct Deflate {
    const char* name;
    int strategy;
    int memLevel;
};

constexpr Deflate kLibpngDeflate{"filtered, memLevel 8 (libpng)", Z_FILTERED, 8};

constexpr Deflate kDeflates[] = {
    kLibpngDeflate,
    {"filtered, memLevel 9", Z_FILTERED, 9},
    {"default, memLevel 8", Z_DEFAULT_STRATEGY, 8},
    {"default, memLevel 9", Z_DEFAULT_STRATEGY, 9},
    {"rle, memLevel 8", Z_RLE, 8},
};

void Append(png_structp png, png_bytep data, std::size_t length)
{
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void Flush(png_structp) {}

// The encoded size of tile with the given filter set.
std::size_t Encode(const Image& tile, int filters, std::vector<std::uint8_t>& out,
                   const Deflate& deflate = kLibpngDeflate)
{
    out.clear();
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, &info);
        std::fprintf(stderr, "libpng failed\n");
        std::exit(1);
    }
    png_set_write_fn(png, &out, Append, Flush);
    png_set_compression_buffer_size(png, 32768);
    png_set_IHDR(png, info, static_cast<png_uint_32>(tile.Width()),
                 static_cast<png_uint_32>(tile.Height()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, filters);
    png_set_compression_strategy(png, deflate.strategy);
    png_set_compression_mem_level(png, deflate.memLevel);
    png_write_info(png, info);
    png_set_bgr(png);
    for (int y = 0; y < tile.Height(); ++y) {
        png_write_row(png, const_cast<std::uint8_t*>(tile.Row(y)));
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out.size();
}

void Measure(const char* title, const std::vector<Image>& tiles, int repeats)
{
    std::printf("%s: %zu tiles of %dx%d\n", title, tiles.size(), tiles[0].Width(),
                tiles[0].Height());
    std::printf("  %-26s %10s %10s %12s\n", "filter", "ms/tile", "vs adapt.", "bytes/tile");
    std::vector<std::uint8_t> out;
    double adaptiveMs = 0;
    double adaptiveBytes = 0;
    struct Row {
        const char* name;
        double ms;
        double bytes;
    };
    std::vector<Row> rows;
    for (const FilterChoice& choice : kChoices) {
        std::vector<double> times;
        double bytes = 0;
        for (int r = 0; r < repeats; ++r) {
            const auto start = std::chrono::steady_clock::now();
            std::size_t total = 0;
            for (const Image& tile : tiles) {
                total += Encode(tile, choice.filters, out);
            }
            const std::chrono::duration<double, std::milli> took =
                std::chrono::steady_clock::now() - start;
            times.push_back(took.count() / static_cast<double>(tiles.size()));
            bytes = static_cast<double>(total) / static_cast<double>(tiles.size());
        }
        rows.push_back({choice.name, Median(times), bytes});
        if (choice.filters == PNG_ALL_FILTERS) {
            adaptiveMs = rows.back().ms;
            adaptiveBytes = bytes;
        }
    }
    for (const Row& row : rows) {
        std::printf("  %-26s %10.2f %9.0f%% %12.0f (%+.1f%%)\n", row.name, row.ms,
                    100.0 * row.ms / adaptiveMs, row.bytes,
                    100.0 * (row.bytes - adaptiveBytes) / adaptiveBytes);
    }
    std::printf("\n");
}

// Time of encoding every tile once with the deflate settings, per tile.
double TimeOnce(const std::vector<Image>& tiles, const Deflate& deflate, double& bytes)
{
    std::vector<std::uint8_t> out;
    const auto start = std::chrono::steady_clock::now();
    std::size_t total = 0;
    for (const Image& tile : tiles) {
        total += Encode(tile, PNG_FILTER_UP, out, deflate);
    }
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    bytes = static_cast<double>(total) / static_cast<double>(tiles.size());
    return took.count() / static_cast<double>(tiles.size());
}

void MeasureDeflate(const char* title, const std::vector<Image>& tiles, int repeats)
{
    std::printf("%s, up filter: %zu tiles of %dx%d\n", title, tiles.size(), tiles[0].Width(),
                tiles[0].Height());
    std::vector<std::vector<double>> times(std::size(kDeflates));
    std::vector<double> bytes(std::size(kDeflates));
    // Rounds over all settings in turn, so that a busy moment of the machine
    // does not fall on one setting alone.
    for (int r = 0; r < repeats; ++r) {
        for (std::size_t i = 0; i < std::size(kDeflates); ++i) {
            times[i].push_back(TimeOnce(tiles, kDeflates[i], bytes[i]));
        }
    }
    const double baseMs = Median(times[0]);
    for (std::size_t i = 0; i < std::size(kDeflates); ++i) {
        const double ms = Median(times[i]);
        std::printf("  %-30s %9.2f ms %5.0f%% %11.0f bytes (%+.1f%%)\n", kDeflates[i].name, ms,
                    100.0 * ms / baseMs, bytes[i], 100.0 * (bytes[i] - bytes[0]) / bytes[0]);
    }
}

}  // namespace
}  // namespace qm::bench

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: png_filter_bench <photograph> [tiles] [repeats] [cut]\n");
        return 2;
    }
    const int count = argc > 2 ? std::atoi(argv[2]) : 20;
    const int repeats = argc > 3 ? std::atoi(argv[3]) : 5;
    const int cut = argc > 4 ? std::atoi(argv[4]) : 256;
    if (count < 1 || repeats < 1 || cut < 32 || cut > 2048 || cut % 2 != 0) {
        std::fprintf(stderr, "tiles and repeats must be at least 1, the cut even, 32 to 2048\n");
        return 2;
    }
    try {
        using namespace qm::bench;
        const qm::Image photo = qm::LoadImageFile(argv[1]);
        const auto positions = SeededCutPositions(photo.Width(), photo.Height(), cut, count, 1);
        std::printf("photograph %dx%d, cut %d, seed 1, median of %d\n\n", photo.Width(),
                    photo.Height(), cut, repeats);
        Measure("rectangle", MakeTiles(photo, 5, cut, positions), repeats);
        Measure("kaleidoscope", MakeTiles(photo, 1, cut, positions), repeats);
        for (const qm::MethodInfo& method : qm::BuiltinMethods()) {
            MeasureDeflate(method.cliName, MakeTiles(photo, method.code, cut, positions), repeats);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
