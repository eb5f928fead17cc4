// Whole generation runs on a large photograph: every built-in method with
// every output format, timed end to end, with the share of the time spent
// reading the source and encoding the tiles.
//
// run_bench <work folder> <picture> [count] [cut] [repeats]
//
// The picture is scaled up (bilinear) to 2560 by 1600 and saved as a JPEG
// photograph in the work folder; every run reads it from there, as a user's
// run would. Each figure is the best of the repeats, which keeps out most
// of the noise of a busy machine.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <string>

#include "cli/ConsolePlatform.h"
#include "app/UMake.h"
#include "core/Errors.h"
#include "core/Format.h"
#include "engine/MethodCatalogue.h"
#include "imageio/ImageFiles.h"

namespace qm {
namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
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

const char* const kFormats[] = {"bmp", "jpg", "png"};

void Save(const Image& tile, int imageType, const std::string& path)
{
    switch (imageType) {
    case 1:
        SaveJpeg(tile, path, 90);
        break;
    case 2:
        SavePng(tile, path);
        break;
    default:
        SaveBmp(tile, path);
    }
}

// Seconds to encode and write the tile count times in the given format.
double EncodeSeconds(const Image& tile, int imageType, int count, const std::string& folder)
{
    const std::string path = folder + "/encode." + kFormats[imageType];
    const auto start = Clock::now();
    for (int i = 0; i < count; ++i) {
        Save(tile, imageType, path);
    }
    return SecondsSince(start);
}

constexpr int kWidth = 2560;
constexpr int kHeight = 1600;

int Bench(const std::string& work, const std::string& picture, int count, int cut, int repeats)
{
    const std::string photo = work + "/photo.jpg";
    SaveJpeg(ScaleUp(LoadImageFile(picture), kWidth, kHeight), photo, 92);
    Image source;
    double loadSeconds = 1e9;
    for (int r = 0; r < repeats; ++r) {
        const auto start = Clock::now();
        source = LoadImageFile(photo);
        loadSeconds = std::min(loadSeconds, SecondsSince(start));
    }
    std::printf("source %dx%d JPEG, read in %.3f s; %d tiles per run, cut %d, best of %d\n\n",
                source.Width(), source.Height(), loadSeconds, count, cut, repeats);
    std::printf("%-18s %-4s %9s %9s %10s %8s %8s\n", "method", "type", "tile", "s/run", "ms/tile",
                "encode", "read");

    ConsolePlatform platform(std::cout, std::cerr, DialogAnswers{});
    for (const MethodInfo& method : BuiltinMethods()) {
        for (int imageType = 0; imageType < 3; ++imageType) {
            const std::string out = work + "/" + method.cliName + "-" + kFormats[imageType] + "/";
            std::filesystem::create_directories(out);
            double runSeconds = 1e9;
            for (int r = 0; r < repeats; ++r) {
                const auto start = Clock::now();
                MakeImages(platform, count, method.code, photo, "", cut, cut, "t",
                           static_cast<std::uint8_t>(imageType), 90, false, false, false, "", out,
                           3, 0);
                runSeconds = std::min(runSeconds, SecondsSince(start));
            }

            // The last tile, read back, checks the run and is encoded again
            // alone for the share of encoding in the run.
            const std::string last = out + Format("t%.3d.", {count}) + kFormats[imageType];
            const Image tile = LoadImageFile(last);
            const auto files = std::distance(std::filesystem::directory_iterator(out),
                                             std::filesystem::directory_iterator());
            if (files != count) {
                throw ErrorMessage(Format("%s: %d files instead of %d", {out, files, count}));
            }
            double encodeSeconds = 1e9;
            for (int r = 0; r < repeats; ++r) {
                encodeSeconds = std::min(encodeSeconds, EncodeSeconds(tile, imageType, count, work));
            }
            std::printf("%-18s %-4s %4dx%-4d %9.3f %10.2f %7.1f%% %7.1f%%\n", method.cliName,
                        kFormats[imageType], tile.Width(), tile.Height(), runSeconds,
                        1000.0 * runSeconds / count, 100.0 * encodeSeconds / runSeconds,
                        100.0 * loadSeconds / runSeconds);
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
