// SPDX-License-Identifier: MIT
// Smooth edges, measured:
//   smooth_bench [measure | time [REPEATS] | memory [METHOD [PICTURE]]]
//
// measure: for every method and group and the factors 2 to 4, the mean
//   absolute error of the plain and the smoothed tile of a sharp drawing
//   drawn at 1024 pixels, cut 256 after fitting at 100 %, against the tile
//   the same method makes of the drawing drawn at 2048 pixels with a cut of
//   2048, reduced onto the tile's size; the share by which smoothing lowers
//   it; and the seam step of both tiles (support/SharpDrawing.h).
// time: per method, the median of REPEATS (5) runs of 10 tiles at cut 256,
//   plain and smoothed (factor 3), each reading the drawing's PNG file,
//   fitting it, preparing and writing the tiles as BMP files, and their
//   ratio.
// memory [METHOD [PICTURE]]: one smoothed tile of METHOD (kaleidoscope) at
//   cut 2048 (factor 3 asked, lowered to 2) from the picture (the sharp
//   drawing at 2560 pixels) fitted at 100 %; prints the peak
//   resident memory (also: /usr/bin/time -f %M).
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/run/FitPicture.h"
#include "app/run/MakeTiles.h"
#include "app/run/SmoothTile.h"
#include "core/Random.h"
#include "effects/RepeatResample.h"
#include "engine/MethodCatalogue.h"
#include "imageio/ImageFiles.h"
#include "support/SharpDrawing.h"

namespace qm {
namespace {

constexpr int kCut = 256;
constexpr int kRotate = 7;

std::vector<const MethodInfo*> Methods()
{
    std::vector<const MethodInfo*> methods;
    for (const MethodInfo& method : BuiltinMethods()) {
        methods.push_back(&method);
    }
    for (const MethodInfo& group : GroupMethods()) {
        methods.push_back(&group);
    }
    return methods;
}

Image PlainTile(const MethodInfo& method, const Image& picture, int cut, bool large)
{
    auto maker = method.create(MakerSettings{kRotate});
    maker->LargeCuts = large;
    Image piece(cut, cut);
    piece.CopyRect(0, 0, picture, Rect{0, 0, cut, cut});
    if (!maker->Prepare({cut, cut}, false) || !maker->Make(piece)) {
        std::fprintf(stderr, "%s: the maker failed\n", method.cliName);
        std::exit(1);
    }
    const Image tile = maker->ResultImage();
    return tile;
}

Image SmoothedTile(const MethodInfo& method, const TFinePieces& pieces, int factor)
{
    TSmoothTiles smooth(method.create(MakerSettings{kRotate}), factor);
    if (!smooth.Prepare({kCut, kCut}, false) || !smooth.Make(pieces, TileDraw{})) {
        std::fprintf(stderr, "%s: smoothing failed\n", method.cliName);
        std::exit(1);
    }
    return smooth.Tile();
}

void Measure()
{
    const Image drawing = test::SharpDrawing(1024);
    const Image reference = test::SharpDrawing(2048);
    const FittedPicture fitted = FitPicture(drawing, kCut, 100);
    const PictureSize cutFrom{fitted.Picture.Width(), fitted.Picture.Height()};
    std::printf(
        "| method | error plain | K=2 | K=3 | K=4 | seam plain | seam K=3 "
        "|\n|---|---|---|---|---|---|---|\n");
    for (const MethodInfo* method : Methods()) {
        const Image plain = PlainTile(*method, fitted.Picture, kCut, false);
        const TileAnchor anchor = method->create(MakerSettings{kRotate})->Anchor();
        const Image truth = ResampleRepeat(PlainTile(*method, reference, 2048, true), plain.Width(),
                                           plain.Height(), anchor.HalfX, anchor.HalfY);
        const double plainError = test::MeanDifference(plain, truth);
        std::printf("| %s | %.2f", method->cliName, plainError);
        double seam = 0;
        for (int factor = 2; factor <= 4; ++factor) {
            const Image smooth =
                SmoothedTile(*method, TFinePieces(drawing, cutFrom, factor, false), factor);
            const double error = test::MeanDifference(smooth, truth);
            std::printf(" | %.2f (%.0f %%)", error, 100 * (1 - error / plainError));
            if (factor == 3) {
                seam = test::SeamStep(smooth);
            }
        }
        std::printf(" | %.2f | %.2f |\n", test::SeamStep(plain), seam);
    }
}

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// One run of ten tiles of the picture file, plain (factor 0) or smoothed,
// into folder.
double Run(const MethodInfo& method, const std::string& file, int factor, const std::string& folder)
{
    const auto start = std::chrono::steady_clock::now();
    const Image unscaled = LoadImageFile(file);
    const FittedPicture fitted = FitPicture(unscaled, kCut, 100);
    TileSeries series;
    series.Count = 10;
    series.SizeX = kCut;
    series.SizeY = kCut;
    series.RangeX = fitted.Picture.Width() - kCut;
    series.RangeY = fitted.Picture.Height() - kCut;
    Lcg generator(1);
    if (factor == 0) {
        auto maker = method.create(MakerSettings{kRotate});
        Image piece;
        maker->Prepare({kCut, kCut}, false);
        for (int i = 1; i <= series.Count; ++i) {
            MakeTileAt({*maker, fitted.Picture, series},
                       DrawTile(generator, series, fitted.Picture), piece);
            SaveBmp(maker->ResultImage(), folder + "/" + std::to_string(i) + ".bmp");
        }
        return Seconds(start);
    }
    const TFinePieces pieces(unscaled, {fitted.Picture.Width(), fitted.Picture.Height()}, factor,
                             false);
    TSmoothTiles smooth(method.create(MakerSettings{kRotate}), factor);
    smooth.Prepare({kCut, kCut}, false);
    for (int i = 1; i <= series.Count; ++i) {
        smooth.Make(pieces, DrawTile(generator, series, fitted.Picture));
        SaveBmp(smooth.Tile(), folder + "/" + std::to_string(i) + ".bmp");
    }
    return Seconds(start);
}

void Time(int repeats)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "smooth_bench";
    std::filesystem::create_directories(folder);
    const std::string file = (folder / "drawing.png").string();
    SavePng(test::SharpDrawing(1024), file);
    std::printf("| method | plain, ms | smoothed K=3, ms | ratio |\n|---|---|---|---|\n");
    for (const MethodInfo* method : Methods()) {
        std::vector<double> plain;
        std::vector<double> smooth;
        for (int r = 0; r < repeats; ++r) {
            plain.push_back(Run(*method, file, 0, folder.string()));
            smooth.push_back(Run(*method, file, kSmoothFactorDefault, folder.string()));
        }
        std::sort(plain.begin(), plain.end());
        std::sort(smooth.begin(), smooth.end());
        const double p = plain[plain.size() / 2];
        const double s = smooth[smooth.size() / 2];
        std::printf("| %s | %.0f | %.0f | %.1f |\n", method->cliName, 1000 * p, 1000 * s, s / p);
    }
    std::filesystem::remove_all(folder);
}

void Memory(const std::string& name, const std::string& file)
{
    const Image unscaled = file.empty() ? test::SharpDrawing(2560) : LoadImageFile(file);
    const int cut = TMakeUnit::kLargeCutSide;
    const FittedPicture fitted = FitPicture(unscaled, cut, 100);
    const SmoothingFactor factor = SmoothingFactorFor(kSmoothFactorDefault, {cut, cut});
    std::printf("%s\n", factor.Warning.c_str());
    const TFinePieces pieces(unscaled, {fitted.Picture.Width(), fitted.Picture.Height()},
                             factor.Factor, false);
    const auto named = [&](const MethodInfo* m) { return m->cliName == name; };
    const std::vector<const MethodInfo*> methods = Methods();
    const auto method = std::find_if(methods.begin(), methods.end(), named);
    if (method == methods.end()) {
        std::fprintf(stderr, "no method %s\n", name.c_str());
        std::exit(2);
    }
    TSmoothTiles smooth((*method)->create(MakerSettings{kRotate}), factor.Factor);
    if (fitted.Picture.Width() < cut || fitted.Picture.Height() < cut ||
        !smooth.Prepare({cut, cut}, true) || !smooth.Make(pieces, TileDraw{})) {
        std::fprintf(stderr, "the picture is too small for a cut of %d, or making failed\n", cut);
        std::exit(1);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("tile %d x %d from a fine cut of %d: peak resident memory %.0f MiB\n",
                smooth.Tile().Width(), smooth.Tile().Height(), factor.Factor * cut,
                usage.ru_maxrss / 1024.0);
}

}  // namespace
}  // namespace qm

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "measure";
    if (mode == "measure") {
        qm::Measure();
    } else if (mode == "time") {
        qm::Time(argc > 2 ? std::atoi(argv[2]) : 5);
    } else if (mode == "memory") {
        qm::Memory(argc > 2 ? argv[2] : "kaleidoscope", argc > 3 ? argv[3] : "");
    } else {
        std::fprintf(
            stderr, "usage: smooth_bench [measure | time [REPEATS] | memory [METHOD [PICTURE]]]\n");
        return 2;
    }
    return 0;
}
