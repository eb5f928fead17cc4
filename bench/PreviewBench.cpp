// SPDX-License-Identifier: MIT
// The preview's time from a change of the settings to the tile ready for the
// screen, once the source is decoded: Prepare, the cut, Make and the
// conversion to a Qt picture, for every built-in method at cut 256 from a
// 2560 x 1600 picture. The target is 50 ms.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <random>
#include <string>

#include <QImage>

#include "app/window/PreviewModel.h"
#include "app/run/SourceImages.h"
#include "engine/MethodCatalogue.h"
#include "gui/ImageConversion.h"
#include "imageio/ImageFiles.h"

namespace qm {
namespace {

// A 2560 x 1600 picture of noise in a temporary file for the life of the
// program.
class SourceFile {
public:
    SourceFile()
    {
        char name[] = "/tmp/preview-bench-XXXXXX.png";
        const int descriptor = mkstemps(name, 4);
        if (descriptor < 0) {
            std::abort();
        }
        close(descriptor);
        path_ = name;
        std::mt19937 engine(2024);
        Image picture(2560, 1600);
        for (int y = 0; y < picture.Height(); ++y) {
            std::uint8_t* row = picture.Row(y);
            for (std::size_t i = 0; i < picture.RowBytes(); ++i) {
                row[i] = static_cast<std::uint8_t>(engine());
            }
        }
        SavePng(picture, path_);
    }
    ~SourceFile() { unlink(path_.c_str()); }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

const SourceFile& Source()
{
    static const SourceFile file;
    return file;
}

void PreviewBench(benchmark::State& state, std::uint8_t method, bool shuffle)
{
    PreviewSettings settings;
    settings.FileSelectType = kSourceImageFile;
    settings.FileName = Source().Path();
    settings.TransMethod = method;
    settings.SizeXText = settings.SizeYText = "256";
    settings.ShuffleFlag = shuffle;
    TPreviewModel preview(1);
    // The first tile decodes the source, which the preview keeps.
    if (!preview.Make(settings, nullptr).Ok()) {
        state.SkipWithError("no preview tile");
        return;
    }
    for (auto _ : state) {
        const PreviewTile tile = preview.Make(settings, nullptr);
        benchmark::DoNotOptimize(QImageFromImage(tile.Tile));
    }
}

bool RegisterPreviewBenchmarks()
{
    for (const MethodInfo& method : BuiltinMethods()) {
        const std::string name = method.cliName;
        benchmark::RegisterBenchmark(("Preview/" + name).c_str(), PreviewBench, method.code, false)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("PreviewShuffled/" + name).c_str(), PreviewBench,
                                     method.code, true)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}

const bool g_registered = RegisterPreviewBenchmarks();

}  // namespace
}  // namespace qm
