// SPDX-License-Identifier: MIT
// Time of the image readers alone: each file is read the given number of
// times (default 5); the median wall-clock and processor seconds are printed
// next to the time a reader may take, 50 ms plus 1 s per MB (10^6 bytes) of
// file plus 15 ns per decoded pixel. On a loaded machine the processor
// time is the steadier figure.
//
// read_bench [--repeats N] FILE...

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "imageio/ImageFiles.h"

int main(int argc, char** argv)
{
    int repeats = 5;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--repeats" && i + 1 < argc) {
            repeats = std::max(1, std::atoi(argv[++i]));
        } else {
            files.emplace_back(argv[i]);
        }
    }
    std::printf("%-32s %9s %10s %7s %7s %7s\n", "file", "bytes", "pixels", "wall s", "cpu s",
                "limit s");
    for (const std::string& file : files) {
        std::vector<double> seconds;
        std::vector<double> cpuSeconds;
        long long pixels = 0;
        try {
            for (int r = 0; r < repeats; ++r) {
                const auto start = std::chrono::steady_clock::now();
                const std::clock_t cpuStart = std::clock();
                const qm::Image image = qm::LoadImageFile(file);
                seconds.push_back(
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
                cpuSeconds.push_back(static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC);
                pixels = static_cast<long long>(image.Width()) * image.Height();
            }
        } catch (const std::exception& error) {
            std::printf("%-40s %s\n", file.c_str(), error.what());
            continue;
        }
        std::nth_element(seconds.begin(), seconds.begin() + repeats / 2, seconds.end());
        std::nth_element(cpuSeconds.begin(), cpuSeconds.begin() + repeats / 2, cpuSeconds.end());
        const auto bytes = std::filesystem::file_size(file);
        std::printf("%-32s %9llu %10lld %7.3f %7.3f %7.3f\n",
                    std::filesystem::path(file).filename().c_str(),
                    static_cast<unsigned long long>(bytes), pixels, seconds[repeats / 2],
                    cpuSeconds[repeats / 2],
                    0.05 + static_cast<double>(bytes) / 1e6 + 15e-9 * static_cast<double>(pixels));
    }
    return 0;
}
