// SPDX-License-Identifier: MIT
// Share of dull tiles (luminance standard deviation less its best-fitting
// plane below 6) that seeded runs draw from each photograph, without and
// with flat pieces skipped, at each cut (default 64, 128 and 256), the
// photograph fitted to the cut first with --fit. --drawn N adds a drawn
// picture of smooth gradients with one small ornament (15 % of its area),
// with N tiles a run. --runs R repeats each cell with R seeds and also
// prints the dullest run with the option.
//
//   flat_shares [--level N] [--tiles N] [--runs R] [--fit P] [--cut N]...
//               [--drawn N] PHOTO...
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/run/FitPicture.h"
#include "app/run/MakeTiles.h"
#include "core/Errors.h"
#include "effects/LuminanceStructure.h"
#include "imageio/ImageFiles.h"

namespace {

constexpr double kDull = 6.0;

struct Options {
    int level = qm::ExtendedSettings{}.SkipFlatLevel;
    int tiles = 400;
    int runs = 1;
    int fit = 0;
    int drawnTiles = 0;
    std::vector<int> cuts;
};

// Dull tiles of runs seeded runs of tiles tiles each: all of them and the
// most of one run.
struct DullCount {
    int all = 0;
    int worstRun = 0;
};

DullCount CountDull(const qm::Image& picture, int cut, bool skip, const Options& options, int tiles)
{
    qm::TileSeries series;
    series.SizeX = series.SizeY = cut;
    series.RangeX = std::max(0, picture.Width() - cut);
    series.RangeY = std::max(0, picture.Height() - cut);
    series.ExtendedSettings.SkipFlat = skip;
    series.ExtendedSettings.SkipFlatLevel = options.level;
    DullCount count;
    for (int run = 0; run < options.runs; ++run) {
        qm::Lcg generator(12345u + static_cast<unsigned>(run));
        int dull = 0;
        for (int i = 0; i < tiles; ++i) {
            const qm::TileDraw draw = qm::DrawTile(generator, series, picture);
            const qm::Rect piece{draw.X0, draw.Y0, cut, cut};
            dull += qm::PlaneResidualDeviation(qm::MomentsOf(picture, piece), piece) < kDull;
        }
        count.all += dull;
        count.worstRun = std::max(count.worstRun, dull);
    }
    return count;
}

void PrintRow(const std::string& name, const qm::Image& picture, const Options& options,
              int tiles)
{
    std::printf("%-34s", name.c_str());
    for (const int cut : options.cuts) {
        const qm::Image fitted =
            options.fit == 0 ? picture : qm::FitPicture(picture, cut, options.fit).Picture;
        const double total = static_cast<double>(tiles) * options.runs;
        const DullCount off = CountDull(fitted, cut, false, options, tiles);
        const DullCount on = CountDull(fitted, cut, true, options, tiles);
        std::printf("  %5.1f->%4.1f", 100.0 * off.all / total, 100.0 * on.all / total);
        if (options.runs > 1) {
            std::printf(" (%4.1f)", 100.0 * on.worstRun / tiles);
        }
    }
    std::printf("\n");
}

// A drawn picture: a sky that brightens steeply towards the horizon above
// a sea that brightens from its left to its right, both smooth gradients
// whose pieces spread far more than 12 levels, and one ornament of fine
// rings and spokes on the horizon, 15 % of the picture's area.
qm::Image DrawnGradients(int width, int height)
{
    qm::Image picture(width, height);
    const double pi = std::acos(-1.0);
    const double radius = std::sqrt(0.15 * width * height / pi);
    const double horizon = 0.55 * height;
    const double cx = 0.72 * width;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* p = picture.Row(y);
        for (int x = 0; x < width; ++x, p += 3) {
            double r = 0;
            double g = 0;
            double b = 0;
            if (y < horizon) {
                const double t = y / horizon;
                r = 30 + 170 * t;
                g = 50 + 180 * t;
                b = 140 + 110 * t;
            } else {
                const double t = 0.6 * x / width + 0.4 * (y - horizon) / (height - horizon);
                r = 20 + 220 * t;
                g = 60 + 130 * t;
                b = 100 - 50 * t;
            }
            const double d = std::hypot(x - cx, y - horizon);
            if (d < radius) {
                const double rings = std::sin(d * 0.9) * std::cos(std::atan2(y - horizon, x - cx) * 24);
                r = 128 + 100 * rings;
                g = 90 + 80 * rings;
                b = 60 - 50 * rings;
            }
            p[0] = static_cast<std::uint8_t>(std::clamp(b, 0.0, 255.0));
            p[1] = static_cast<std::uint8_t>(std::clamp(g, 0.0, 255.0));
            p[2] = static_cast<std::uint8_t>(std::clamp(r, 0.0, 255.0));
        }
    }
    return picture;
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    std::vector<std::string> photos;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool valued = arg == "--level" || arg == "--tiles" || arg == "--runs" ||
                            arg == "--fit" || arg == "--cut" || arg == "--drawn";
        if (valued && i + 1 < argc) {
            const int value = std::atoi(argv[++i]);
            if (arg == "--cut") {
                options.cuts.push_back(value);
            } else {
                (arg == "--level" ? options.level
                 : arg == "--tiles" ? options.tiles
                 : arg == "--runs"  ? options.runs
                 : arg == "--fit"   ? options.fit
                                    : options.drawnTiles) = value;
            }
        } else {
            photos.push_back(arg);
        }
    }
    if (options.cuts.empty()) {
        options.cuts = {64, 128, 256};
    }
    if ((photos.empty() && options.drawnTiles == 0) || options.tiles < 1 || options.runs < 1 ||
        options.fit < 0 || options.fit > 100 || options.drawnTiles < 0 ||
        !std::all_of(options.cuts.begin(), options.cuts.end(), [](int c) { return c >= 2; })) {
        std::fprintf(stderr, "usage: flat_shares [--level N] [--tiles N] [--runs R] [--fit P] "
                             "[--cut N]... [--drawn N] PHOTO...\n");
        return 2;
    }
    std::printf("dull = luminance std dev less its plane < %.0f; skip level %d; fit %d %%; "
                "%d run(s)\n",
                kDull, options.level, options.fit, options.runs);
    std::printf("%-34s", "picture (off -> on, %)");
    for (const int cut : options.cuts) {
        std::printf("  %7s %-4d%s", "cut", cut, options.runs > 1 ? " (worst)" : "");
    }
    std::printf("\n");
    try {
        for (const std::string& path : photos) {
            PrintRow(path.substr(path.find_last_of('/') + 1) + " x" + std::to_string(options.tiles),
                     qm::LoadImageFile(path, true), options, options.tiles);
        }
        if (options.drawnTiles > 0) {
            PrintRow("drawn gradients x" + std::to_string(options.drawnTiles),
                     DrawnGradients(1600, 900), options, options.drawnTiles);
        }
    } catch (const qm::ErrorMessage& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
