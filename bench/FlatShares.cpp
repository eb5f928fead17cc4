// SPDX-License-Identifier: MIT
// Share of flat tiles (luminance standard deviation below 8) that a seeded
// run draws from each photograph, at cuts 64, 128 and 256, without and with
// flat pieces skipped.
//
//   flat_shares [--level N] [--tiles N] PHOTO...
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/MakeTiles.h"
#include "app/PieceDetail.h"
#include "core/Errors.h"
#include "imageio/ImageFiles.h"

namespace {

constexpr double kFlat = 8.0;

double FlatShare(const qm::Image& photo, int cut, bool skip, int level, int tiles)
{
    qm::TileSeries series;
    series.SizeX = series.SizeY = cut;
    series.RangeX = photo.Width() - cut;
    series.RangeY = photo.Height() - cut;
    series.Extended.SkipFlat = skip;
    series.Extended.SkipFlatLevel = level;
    qm::Lcg generator(12345);
    int flat = 0;
    for (int i = 0; i < tiles; ++i) {
        const qm::TileDraw draw = qm::DrawTile(generator, series, photo);
        flat += qm::LuminanceDeviation(photo, qm::Rect{draw.X0, draw.Y0, cut, cut}) < kFlat;
    }
    return 100.0 * flat / tiles;
}

}  // namespace

int main(int argc, char** argv)
{
    int level = qm::ExtendedSettings{}.SkipFlatLevel;
    int tiles = 400;
    std::vector<std::string> photos;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--level" || arg == "--tiles") && i + 1 < argc) {
            (arg == "--level" ? level : tiles) = std::atoi(argv[++i]);
        } else {
            photos.push_back(arg);
        }
    }
    if (photos.empty() || tiles < 1) {
        std::fprintf(stderr, "usage: flat_shares [--level N] [--tiles N] PHOTO...\n");
        return 2;
    }
    std::printf("flat = luminance std dev < %.0f; %d tiles per cell; skip level %d\n", kFlat,
                tiles, level);
    std::printf("%-28s %11s %11s %11s\n", "photo (off -> on, %)", "cut 64", "cut 128", "cut 256");
    try {
        for (const std::string& path : photos) {
            const qm::Image photo = qm::LoadImageFile(path, true);
            std::printf("%-28s", path.substr(path.find_last_of('/') + 1).c_str());
            for (const int cut : {64, 128, 256}) {
                std::printf("  %4.1f->%4.1f", FlatShare(photo, cut, false, level, tiles),
                            FlatShare(photo, cut, true, level, tiles));
            }
            std::printf("\n");
        }
    } catch (const qm::ErrorMessage& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
