// SPDX-License-Identifier: MIT
// The automatic fit: for every photograph named, the fit it chooses at cut
// 128 and the time the choice takes, on the photograph as it is and
// repeated (mirrored) to 4032 x 3024, twelve megapixels.
//
//   auto_fit_bench PHOTO...
#include <chrono>
#include <cstdio>

#include "app/run/AutoFit.h"
#include "imageio/ImageFiles.h"

namespace qm {
namespace {

constexpr int kCut = 128;

// The picture repeated to width by height, every other copy mirrored, so
// that the seams stay as smooth as the photograph.
Image Repeated(const Image& picture, int width, int height)
{
    Image large(width, height);
    for (int y = 0; y < height; ++y) {
        const int copyY = y / picture.Height();
        const int sy = copyY % 2 == 0 ? y % picture.Height() : picture.Height() - 1 - y % picture.Height();
        for (int x = 0; x < width; ++x) {
            const int copyX = x / picture.Width();
            const int sx = copyX % 2 == 0 ? x % picture.Width() : picture.Width() - 1 - x % picture.Width();
            const std::uint8_t* from = picture.Pixel(sx, sy);
            std::uint8_t* to = large.Pixel(x, y);
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
        }
    }
    return large;
}

// The fastest of five choices, in milliseconds, and the fit chosen.
double TimeOfChoice(const Image& picture, int& chosen)
{
    double fastest = 1e9;
    for (int i = 0; i < 5; ++i) {
        const auto start = std::chrono::steady_clock::now();
        chosen = ChooseFit(picture, kCut, kCut);
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        fastest = std::min(fastest, took.count());
    }
    return fastest;
}

}  // namespace
}  // namespace qm

int main(int argc, char** argv)
{
    std::printf("%-32s %11s %5s %7s %12s\n", "photograph", "size", "fit", "ms", "ms at 12 MP");
    for (int i = 1; i < argc; ++i) {
        const qm::Image photo = qm::LoadImageFile(argv[i]);
        int chosen = 0;
        const double own = qm::TimeOfChoice(photo, chosen);
        int large = 0;
        const double twelve = qm::TimeOfChoice(qm::Repeated(photo, 4032, 3024), large);
        const char* name = argv[i];
        for (const char* c = argv[i]; *c != '\0'; ++c) {
            if (*c == '/') {
                name = c + 1;
            }
        }
        std::printf("%-32s %5dx%-5d %4d%% %7.1f %8.1f (%d%%)\n", name, photo.Width(), photo.Height(),
                    chosen, own, twelve, large);
    }
    return 0;
}
