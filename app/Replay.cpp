// SPDX-License-Identifier: MIT
#include "app/Replay.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <thread>

#include "app/FileHash.h"
#include "app/FitPicture.h"
#include "app/FullResolution.h"
#include "app/MakeTiles.h"
#include "app/MakerFactory.h"
#include "app/OutputFolderLock.h"
#include "app/RunRecord.h"
#include "app/RunTiles.h"
#include "app/SettingRanges.h"
#include "app/SourceImages.h"
#include "app/StaleTemporaries.h"
#include "app/TextToInt.h"
#include "app/TileSaver.h"
#include "core/Errors.h"
#include "core/Format.h"
#include "core/Random.h"
#include "core/Translate.h"
#include "effects/ImageEffect.h"
#include "engine/ErrorCodes.h"
#include "engine/MethodCatalogue.h"
#include "imageio/ImageFiles.h"
#include "imageio/OutputNames.h"

namespace qm {
namespace {

// A path of the record: a relative one counts from the record's own folder.
std::string FromRecordFolder(const std::string& recordFolder, const std::string& path)
{
    return std::filesystem::path(path).is_relative()
               ? (std::filesystem::path(recordFolder) / path).string()
               : path;
}

// Refuses a file that is missing or whose bytes no longer have the hash.
void CheckSource(const std::string& file, const std::string& sha256)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        throw ErrorMessage(Format(T("元画像が見つかりません: %1$s / the recorded source picture is missing: %1$s"),
                                  {file}));
    }
    if (Sha256OfFile(file) != sha256) {
        throw ErrorMessage(Format(T("元画像が記録と違います (SHA-256 が一致しません): %1$s / the source "
                                    "picture's bytes no longer match the record: %1$s"),
                                  {file}));
    }
}

void CheckPlugin(const std::string& file, const std::string& sha256)
{
    if (Sha256OfFile(file) != sha256) {
        throw ErrorMessage(Format(T("外部変換ライブラリが記録と違います: %1$s / the plug-in library is "
                                    "missing or differs from the record: %1$s"),
                                  {file}));
    }
}

// The source picture exactly as the run cut its tiles from it, or with
// fit false as it was before the fit; with unscaled, the picture before the
// fit and the blur is kept there too.
Image LoadRecordedSource(Platform& platform, const RunRecordData& record,
                         const std::string& recordFolder, bool fit, Image* unscaled)
{
    const std::string file = FromRecordFolder(recordFolder, record.SourcePath);
    CheckSource(file, record.SourceSha256);
    Image source;
    if (record.SourceKind == kSourceFolder) {
        // The folder's pick reads its file whatever the extension says.
        std::optional<Image> picture = LoadImageAnyFormat(file, record.Extended.AutoOrient);
        if (!picture) {
            throw ErrorMessage(T("イメージファイルが存在しません。"));
        }
        source = std::move(*picture);
    } else {
        source = LoadSourceImage(platform, kSourceImageFile, file, "", record.Extended.AutoOrient);
    }
    if (unscaled != nullptr) {
        *unscaled = source;
    }
    // The clipboard's picture was kept as the run cut it, fitted already.
    if (fit && record.Extended.Fit && record.SourceKind != kSourceClipboard) {
        source = FitPicture(std::move(source), std::max(record.SizeX, record.SizeY),
                            record.Extended.FitPercent)
                     .Picture;
    }
    if (record.Blur) {
        Blur(source);
    }
    return source;
}

std::optional<std::uint32_t> ShuffleSeed(const RunRecordData& record)
{
    for (const RecordedSeed& seed : record.Seeds) {
        if (seed.Step == "shuffle") {
            return seed.Seed;
        }
    }
    return std::nullopt;
}

[[noreturn]] void BrokenRecord(const std::string& path, const std::string& what)
{
    throw ErrorMessage(T("作成記録を読み込めません: ") + path + "\r\n" + what);
}

}  // namespace

std::optional<std::vector<std::int32_t>> ParseTileList(const std::string& text)
{
    std::vector<std::int32_t> numbers;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        const std::string item =
            text.substr(start, comma == std::string::npos ? comma : comma - start);
        const std::size_t dash = item.find('-');
        const std::optional<std::int32_t> first = TextToInt(item.substr(0, dash));
        const std::optional<std::int32_t> last =
            dash == std::string::npos ? first : TextToInt(item.substr(dash + 1));
        if (!first || !last || *first < kCountMin || *last < *first || *last > kCountMax) {
            return std::nullopt;
        }
        for (std::int32_t n = *first; n <= *last; ++n) {
            numbers.push_back(n);
        }
        if (comma == std::string::npos) {
            return numbers;
        }
        start = comma + 1;
    }
}

void ReplayRun(Platform& platform, const ReplayRequest& request)
{
    const RunRecordData record = ParseRecord(ReadRecordFile(request.RecordFile), request.RecordFile);
    if (request.Prefix && !IsAllowedPrefix(*request.Prefix)) {
        throw ErrorMessage(T("プレフィックスが不正です"));
    }
    std::optional<FullResolutionCut> fullCut;
    if (request.FullResolution) {
        RefuseFullResolution(record);
        if (record.SourceScale != 1.0) {
            fullCut = FullCutOf(record);
            if (!fullCut) {
                BrokenRecord(request.RecordFile, "scale");
            }
        }
    }
    const std::int32_t sizeX = fullCut ? fullCut->SizeX : record.SizeX;
    const std::int32_t sizeY = fullCut ? fullCut->SizeY : record.SizeY;
    const std::filesystem::path parent = std::filesystem::path(request.RecordFile).parent_path();
    const std::string recordFolder = parent.empty() ? std::string(".") : parent.string();

    std::map<std::int32_t, TileDraw> draws;
    for (const RecordedTile& tile : record.Tiles) {
        draws[tile.Number] = tile.Draw;
    }
    std::vector<std::int32_t> numbers = request.Tiles;
    if (numbers.empty()) {
        for (const auto& [number, draw] : draws) {
            numbers.push_back(number);
        }
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    for (const std::int32_t number : numbers) {
        if (!draws.contains(number)) {
            throw ErrorMessage(Format(T("作成記録に %1$d 番の画像はありません / the record holds no tile %1$d"),
                                      {number}));
        }
    }

    // Full-resolution tiles differ from the run's own, so by default they go
    // into a folder of their own beside the record instead of replacing them.
    const bool ownFolder = request.FullResolution && !request.OutDirectory;
    const std::string outFolder =
        ownFolder ? recordFolder + "/" + kFullResolutionFolder
                  : request.OutDirectory.value_or(recordFolder);
    std::error_code error;
    if (ownFolder) {
        std::filesystem::create_directory(outFolder, error);
    }
    if (!std::filesystem::is_directory(outFolder, error)) {
        throw ErrorMessage(T("ファイル出力先のフォルダが見つかりません。"));
    }
    const std::string out = Format("%s/", {outFolder});
    const OutputFolderLock lock(platform, out);

    Image unscaled;
    Image source = LoadRecordedSource(platform, record, recordFolder, !fullCut,
                                      record.Extended.Smooth ? &unscaled : nullptr);
    if (fullCut ? std::min(source.Width(), source.Height()) != fullCut->ShorterSide
                : source.Width() != record.SourceWidth || source.Height() != record.SourceHeight) {
        BrokenRecord(request.RecordFile, "source size");
    }
    if (fullCut) {
        for (const std::int32_t number : numbers) {
            draws[number] =
                FullDrawOf(draws[number], record, *fullCut, {source.Width(), source.Height()});
        }
    }
    const std::string plugin = record.PluginPath.empty()
                                   ? std::string()
                                   : FromRecordFolder(recordFolder, record.PluginPath);
    if (record.MethodCode == kPluginMethodCode) {
        CheckPlugin(plugin, record.PluginSha256);
    }
    RunTilesAsked asked;
    asked.TransMethod = record.MethodCode;
    asked.DllName = plugin;
    asked.RotateNum = record.RotateNum;
    asked.Cut = TPoint{sizeX, sizeY};
    asked.Shuffle = record.Shuffle;
    asked.Blur = record.Blur;
    asked.LargeCuts = fullCut || record.Extended.LargeCuts;
    asked.Extended = record.Extended;
    asked.Source = &source;
    asked.Unscaled = &unscaled;
    if (fullCut) {
        asked.RepeatCut = TPoint{record.SizeX, record.SizeY};
    }
    // The shuffle re-seeds the generator; the run's seed scatters the same.
    rng::FixReseed(ShuffleSeed(record));
    PreparedTiles prepared;
    try {
        prepared = PrepareRunTiles(platform, asked);
    } catch (...) {
        rng::FixReseed(std::nullopt);
        throw;
    }
    rng::FixReseed(std::nullopt);
    if (!prepared.Warning.empty()) {
        platform.Warn(prepared.Warning);
    }
    TRunTiles& tiles = *prepared.Tiles;

    TileSeries series;
    series.SizeX = sizeX;
    series.SizeY = sizeY;
    series.Prefix = request.Prefix.value_or(record.Prefix);
    series.ImageType = request.ImageType.value_or(record.ImageType);
    series.Quality = static_cast<std::uint8_t>(request.Quality.value_or(record.Quality));
    series.OutDirectory = out;
    for (const std::int32_t number : numbers) {
        const TileDraw& draw = draws[number];
        if (draw.X0 < 0 || draw.Y0 < 0 || sizeX < 1 || sizeY < 1 || draw.X0 > source.Width() - sizeX ||
            draw.Y0 > source.Height() - sizeY) {
            BrokenRecord(request.RecordFile, Format("tile %d", {number}));
        }
    }

    std::vector<std::string> files;
    for (const std::int32_t number : numbers) {
        files.push_back(TilePath(out, series.Prefix, series.ImageType, number));
    }
    RemoveStaleTemporaries(files);
    const unsigned available = request.EncoderThreads != 0
                                   ? request.EncoderThreads
                                   : std::max(1u, std::thread::hardware_concurrency());
    // More threads than tiles would only wait; the bands of a large tile
    // still spread over all of them.
    const unsigned threads =
        std::min<unsigned>(available, static_cast<unsigned>(std::max<std::size_t>(1, numbers.size())));
    ExtendedSettings output = record.Extended;
    if (request.Chroma) {
        output.Chroma = true;
        output.ChromaValue = *request.Chroma;
    }
    TTileSaver saver(threads, series.ImageType, series.Quality,
                     record.Extended.Dpi ? record.Extended.DpiValue : 0,
                     BandThreads(sizeX, sizeY, available), nullptr, JpegChromaOf(output));
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (!tiles.Make(draws[numbers[i]])) {
            saver.Finish();
            ReportError(platform, tiles.Maker().ErrorCode(), tiles.Maker().ErrorText());
            throw SilentStop();
        }
        saver.Save(tiles.Tile(), files[i]);
    }
    saver.Finish();
}

}  // namespace qm
