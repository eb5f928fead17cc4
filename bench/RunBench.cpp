// SPDX-License-Identifier: MIT
// Whole generation runs on a large photograph: every built-in method with
// every output format, timed end to end, with the share of the time spent
// reading the source and encoding the tiles.
//
// run_bench <work folder> <picture> [count] [cut] [repeats]
//
// The picture is scaled up (bilinear) to 2560 by 1600 and saved as a JPEG
// photograph in the work folder; every run reads it from there, as a user's
// run would. Each line reports the repeat with the fastest run, which keeps
// out most of the noise of a busy machine. The shares are of processor
// time, so the wait for the disk (each tile is synced) counts in s/run but
// not in the encoding share.

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "cli/ConsolePlatform.h"
#include "app/OutputType.h"
#include "app/run/UMake.h"
#include "core/Errors.h"
#include "core/Format.h"
#include "engine/MethodCatalogue.h"
#include "imageio/FileIo.h"
#include "imageio/ImageFiles.h"

namespace qm {
namespace {

// Wall-clock and processor seconds of one piece of work.
struct Timing {
    double wall = 0;
    double cpu = 0;
};

double ProcessSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

template <class Work>
Timing Measure(Work&& work)
{
    const auto wallStart = std::chrono::steady_clock::now();
    const double cpuStart = ProcessSeconds();
    work();
    return Timing{std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count(),
                  ProcessSeconds() - cpuStart};
}

// Bilinear enlargement of source to width by height.
Image ScaleUp(const Image& source, int width, int height)
{
    Image scaled(width, height);
    const double sx = static_cast<double>(source.Width() - 1) / (width - 1);
    const double sy = static_cast<double>(source.Height() - 1) / (height - 1);
    for (int y = 0; y < height; ++y) {
        const double fy = y * sy;
        const int y0 = static_cast<int>(fy);
        const int y1 = std::min(y0 + 1, source.Height() - 1);
        const double wy = fy - y0;
        for (int x = 0; x < width; ++x) {
            const double fx = x * sx;
            const int x0 = static_cast<int>(fx);
            const int x1 = std::min(x0 + 1, source.Width() - 1);
            const double wx = fx - x0;
            for (int k = 0; k < 3; ++k) {
                const double top = source.Pixel(x0, y0)[k] * (1 - wx) + source.Pixel(x1, y0)[k] * wx;
                const double bottom = source.Pixel(x0, y1)[k] * (1 - wx) + source.Pixel(x1, y1)[k] * wx;
                scaled.Pixel(x, y)[k] = static_cast<std::uint8_t>(top * (1 - wy) + bottom * wy + 0.5);
            }
        }
    }
    return scaled;
}

const char* Extension(int imageType)
{
    return TileOutputType(static_cast<std::uint8_t>(imageType)).extension;
}

// Encodes and writes every tile in the given format, as a run does.
void EncodeAll(const std::vector<Image>& tiles, int imageType, const std::string& folder)
{
    const OutputTypeInfo& type = TileOutputType(static_cast<std::uint8_t>(imageType));
    const std::string path = folder + "/encode." + type.extension;
    for (const Image& tile : tiles) {
        WriteFileAtomically(path, type.encode(tile, 90, 0, {}));
    }
}

// The tiles of a run, read back, after checking that it wrote count files.
std::vector<Image> CheckedTiles(const std::string& out, int count, int imageType)
{
    const auto files = std::distance(std::filesystem::directory_iterator(out),
                                     std::filesystem::directory_iterator());
    if (files != count) {
        throw ErrorMessage(Format("%s: %d files instead of %d", {out, files, count}));
    }
    std::vector<Image> tiles;
    for (int i = 1; i <= count; ++i) {
        tiles.push_back(LoadImageFile(out + Format("t%.3d.", {i}) + Extension(imageType)));
    }
    return tiles;
}

constexpr int kWidth = 2560;
constexpr int kHeight = 1600;

int Bench(const std::string& work, const std::string& picture, int count, int cut, int repeats)
{
    const std::string photo = work + "/photo.jpg";
    SaveJpeg(ScaleUp(LoadImageFile(picture), kWidth, kHeight), photo, 92);
    Image source;
    Timing load{1e9, 1e9};
    for (int r = 0; r < repeats; ++r) {
        const Timing t = Measure([&] { source = LoadImageFile(photo); });
        load.wall = std::min(load.wall, t.wall);
        load.cpu = std::min(load.cpu, t.cpu);
    }
    std::printf("source %dx%d JPEG, read in %.3f s; %d tiles per run, cut %d, best of %d\n",
                source.Width(), source.Height(), load.wall, count, cut, repeats);
    std::printf("encode and read: shares of the run's processor time\n\n");
    std::printf("%-18s %-4s %9s %9s %10s %8s %8s\n", "method", "type", "tile", "s/run", "ms/tile",
                "encode", "read");

    ConsolePlatform platform(std::cout, std::cerr, DialogAnswers{});
    for (const MethodInfo& method : BuiltinMethods()) {
        for (int imageType = 0; imageType < 3; ++imageType) {
            const std::string out = work + "/" + method.cliName + "-" + Extension(imageType) + "/";
            std::filesystem::create_directories(out);
            // Each repeat makes the run and then encodes its tiles again,
            // alone; the repeat with the fastest run is reported.
            Timing best{1e9, 1e9};
            Timing encode;
            int tileWidth = 0;
            int tileHeight = 0;
            for (int r = 0; r < repeats; ++r) {
                const Timing run = Measure([&] {
                    MakeImages(platform, {.Count = count,
                                          .TransMethod = method.code,
                                          .FileName = photo,
                                          .SizeX = cut,
                                          .SizeY = cut,
                                          .Prefix = "t",
                                          .ImageType = static_cast<std::uint8_t>(imageType),
                                          .Quality = 90,
                                          .OutDirectory = out});
                });
                const std::vector<Image> tiles = CheckedTiles(out, count, imageType);
                tileWidth = tiles.back().Width();
                tileHeight = tiles.back().Height();
                const Timing alone = Measure([&] { EncodeAll(tiles, imageType, work); });
                if (run.wall < best.wall) {
                    best = run;
                    encode = alone;
                }
            }
            std::printf("%-18s %-4s %4dx%-4d %9.3f %10.2f %7.1f%% %7.1f%%\n", method.cliName,
                        Extension(imageType), tileWidth, tileHeight, best.wall,
                        1000.0 * best.wall / count, 100.0 * encode.cpu / best.cpu,
                        100.0 * load.cpu / best.cpu);
            std::filesystem::remove_all(out);
        }
    }
    return 0;
}

}  // namespace
}  // namespace qm

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: run_bench <work folder> <picture> [count] [cut] [repeats]\n");
        return 2;
    }
    const int count = argc > 3 ? std::atoi(argv[3]) : 100;
    const int cut = argc > 4 ? std::atoi(argv[4]) : 256;
    const int repeats = argc > 5 ? std::atoi(argv[5]) : 3;
    if (count < 1 || count > 999 || repeats < 1) {
        std::fprintf(stderr, "count must be 1 to 999 and repeats at least 1\n");
        return 2;
    }
    try {
        return qm::Bench(argv[1], argv[2], count, cut, repeats);
    } catch (const qm::SilentStop&) {
        return 1;
    } catch (const qm::ErrorMessage& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
