// SPDX-License-Identifier: MIT
// Cost of converting a 12-megapixel picture to sRGB: lcms2's own transform
// of the whole picture on one core (the same 8-bit transform the program
// makes: relative colorimetric, black-point compensation), made and run,
// and run alone; and the program's conversion, which makes the transform,
// tests whether the profile is sRGB and converts in bands on every core.
// Median of the given number of repeats (default 5), milliseconds, for an
// RGB and a CMYK profile; the target is at most 1.1 times lcms2's time
// (made and run) divided by the cores.
//
// colour_bench RGB.icc CMYK.icc [repeats]

#include <lcms2.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include "core/Image.h"
#include "imageio/colour/SrgbConversion.h"

namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

std::vector<std::uint8_t> Bytes(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

template <typename F>
double MedianMs(int repeats, F&& run)
{
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + repeats / 2, times.end());
    return times[repeats / 2];
}

// Samples that vary like a photograph's, not a flat field lcms2's cache
// or interpolation would favour.
std::vector<std::uint8_t> Samples(std::size_t channels)
{
    std::vector<std::uint8_t> samples(channels * kWidth * kHeight);
    std::uint32_t state = 12345;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        state = state * 1664525u + 1013904223u;
        samples[i] = static_cast<std::uint8_t>((i / channels % kWidth) / 16 + (state >> 28));
    }
    return samples;
}

struct LcmsTimes {
    double Whole;  // profiles opened, transform made and run
    double Run;    // the transform run alone
};

LcmsTimes LcmsOneCore(const std::vector<std::uint8_t>& icc, cmsUInt32Number format,
                      const std::vector<std::uint8_t>& in, int repeats)
{
    std::vector<std::uint8_t> out(3 * std::size_t{kWidth} * kHeight);
    cmsHTRANSFORM transform = nullptr;
    const auto make = [&] {
        cmsHPROFILE source =
            cmsOpenProfileFromMem(icc.data(), static_cast<cmsUInt32Number>(icc.size()));
        cmsHPROFILE srgb = cmsCreate_sRGBProfile();
        transform = cmsCreateTransform(source, format, srgb, TYPE_BGR_8,
                                       INTENT_RELATIVE_COLORIMETRIC,
                                       cmsFLAGS_BLACKPOINTCOMPENSATION | cmsFLAGS_NOCACHE);
        cmsCloseProfile(source);
        cmsCloseProfile(srgb);
    };
    const double whole = MedianMs(repeats, [&] {
        make();
        cmsDoTransform(transform, in.data(), out.data(), kWidth * kHeight);
        cmsDeleteTransform(transform);
    });
    make();
    const double run = MedianMs(repeats, [&] {
        cmsDoTransform(transform, in.data(), out.data(), kWidth * kHeight);
    });
    cmsDeleteTransform(transform);
    return {whole, run};
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: colour_bench RGB.icc CMYK.icc [repeats]\n");
        return 2;
    }
    const int repeats = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    qm::colour::EmbeddedColour rgb;
    rgb.Icc = Bytes(argv[1]);
    qm::colour::EmbeddedColour cmyk;
    cmyk.Icc = Bytes(argv[2]);
    const std::vector<std::uint8_t> bgr = Samples(3);
    const std::vector<std::uint8_t> ink = Samples(4);

    const LcmsTimes lcmsRgb = LcmsOneCore(rgb.Icc, TYPE_BGR_8, bgr, repeats);
    qm::Image picture = qm::Image::Unfilled(kWidth, kHeight);
    const double ownRgb = MedianMs(repeats, [&] {
        std::copy(bgr.begin(), bgr.end(), picture.Row(0));
        qm::colour::ConvertToSrgb(picture, qm::colour::ColourModel::Rgb, rgb, false);
    });
    // The copy into the picture is part of that figure; it is taken out.
    const double copy = MedianMs(repeats, [&] { std::copy(bgr.begin(), bgr.end(), picture.Row(0)); });
    const LcmsTimes lcmsCmyk = LcmsOneCore(cmyk.Icc, TYPE_CMYK_8, ink, repeats);
    const double ownCmyk = MedianMs(repeats, [&] {
        qm::colour::ConvertInkToSrgb(ink, false, cmyk, picture);
    });

    std::printf("12 MP, %u cores   lcms2 one core: made and run  (run alone)   program  "
                "program / (lcms2 made and run / cores)\n",
                cores);
    const auto line = [&](const char* what, LcmsTimes lcms, double own) {
        std::printf("%-16s %24.1f ms %9.1f ms %7.1f ms %8.2f\n", what, lcms.Whole, lcms.Run, own,
                    own / (lcms.Whole / cores));
    };
    line("RGB to sRGB", lcmsRgb, ownRgb - copy);
    line("CMYK to sRGB", lcmsCmyk, ownCmyk);
    return 0;
}
