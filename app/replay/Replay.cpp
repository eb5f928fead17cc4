// SPDX-License-Identifier: MIT
#include "app/replay/Replay.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>

#include "app/record/FileHash.h"
#include "app/run/FitPicture.h"
#include "app/replay/FullResolution.h"
#include "app/run/MakeTiles.h"
#include "app/run/MakerFactory.h"
#include "app/run/OutputFolderLock.h"
#include "app/record/RunRecord.h"
#include "app/run/RunTiles.h"
#include "app/SettingRanges.h"
#include "app/run/SourceDecoding.h"
#include "app/run/SourceImages.h"
#include "app/run/StaleTemporaries.h"
#include "app/TextToInt.h"
#include "app/run/TileSaver.h"
#include "app/run/TileVariants.h"
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
// fit false as it was before the fit, decoded as the run decoded it (at
// the JPEG scale it recorded, the full size without one); the decoder's
// warnings go to the platform. With unscaled, the picture before
// the fit and the blur is kept there too.
DecodedPicture LoadRecordedSource(Platform& platform, const RunRecordData& record,
                                  const std::string& recordFolder, bool fit, Image* unscaled)
{
    const std::string file = FromRecordFolder(recordFolder, record.SourcePath);
    CheckSource(file, record.SourceSha256);
    const ExtendedSettings& extended = record.ExtendedSettings;
    const DecodeOptions options =
        fit && record.SourceJpegScale < 8
            ? SourceDecodeOptions(extended, std::max(record.SizeX, record.SizeY))
            : SourceDecodeOptions(extended);
    DecodedPicture decoded;
    if (record.FileSelectType == kSourceFolder) {
        // The folder's pick reads its file whatever the extension says.
        std::optional<DecodedPicture> picture = LoadPictureAnyFormat(file, options);
        if (!picture) {
            throw ErrorMessage(T("イメージファイルが存在しません。"));
        }
        decoded = std::move(*picture);
    } else {
        decoded = LoadSourcePicture(platform, kSourceImageFile, file, "", options);
    }
    for (const std::string& warning : decoded.Warnings) {
        platform.Warn(warning);
    }
    Image& source = decoded.Picture;
    if (unscaled != nullptr) {
        *unscaled = source;
    }
    // The clipboard's picture was kept as the run cut it, fitted already.
    if (fit && extended.Fit && record.FileSelectType != kSourceClipboard) {
        source = FitPicture(std::move(source), std::max(record.SizeX, record.SizeY),
                            extended.FitPercent, {decoded.FullWidth, decoded.FullHeight})
                     .Picture;
    }
    if (record.ShadeOffFlag) {
        Blur(source);
    }
    return decoded;
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

// The settings the tiles of record are made again with: the record's, the
// cut at full resolution when there is one (which may take a large cut),
// the plug-in library found from the record's folder, and the request's
// output into out.
TileSeries ReplaySeries(const RunRecordData& record, const ReplayRequest& request,
                        const std::optional<FullResolutionCut>& fullCut,
                        const std::string& recordFolder, const std::string& out)
{
    TileSeries series;
    static_cast<RunSettings&>(series) = record;
    if (fullCut) {
        series.SizeX = fullCut->SizeX;
        series.SizeY = fullCut->SizeY;
        series.ExtendedSettings.LargeCuts = true;
    }
    if (!record.DllName.empty()) {
        series.DllName = FromRecordFolder(recordFolder, record.DllName);
    }
    series.Prefix = request.Prefix.value_or(record.Prefix);
    series.ImageType = request.ImageType.value_or(record.ImageType);
    series.Quality = static_cast<std::uint8_t>(request.Quality.value_or(record.Quality));
    series.OutDirectory = out;
    series.EncoderThreads = request.EncoderThreads;
    return series;
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
    const TileSeries series = ReplaySeries(record, request, fullCut, recordFolder, out);
    const std::int32_t sizeX = series.SizeX;
    const std::int32_t sizeY = series.SizeY;

    Image unscaled;
    DecodedPicture decoded = LoadRecordedSource(platform, record, recordFolder, !fullCut,
                                                series.ExtendedSettings.Smooth ? &unscaled : nullptr);
    const Image& source = decoded.Picture;
    if (fullCut ? std::min(source.Width(), source.Height()) != fullCut->ShorterSide
                : source.Width() != record.SourceWidth || source.Height() != record.SourceHeight) {
        BrokenRecord(request.RecordFile, "source size");
    }
    if (!fullCut && decoded.JpegScale != record.SourceJpegScale) {
        BrokenRecord(request.RecordFile, "jpeg_scale");
    }
    if (fullCut) {
        for (const std::int32_t number : numbers) {
            draws[number] =
                FullDrawOf(draws[number], record, *fullCut, {source.Width(), source.Height()});
        }
    }
    if (series.TransMethod == kPluginMethodCode) {
        CheckPlugin(series.DllName, record.PluginSha256);
    }
    RunTilesAsked asked{series, &source, &unscaled, std::nullopt};
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

    for (const std::int32_t number : numbers) {
        const TileDraw& draw = draws[number];
        if (draw.X0 < 0 || draw.Y0 < 0 || sizeX < 1 || sizeY < 1 || draw.X0 > source.Width() - sizeX ||
            draw.Y0 > source.Height() - sizeY) {
            BrokenRecord(request.RecordFile, Format("tile %d", {number}));
        }
    }

    std::vector<std::string> files;
    std::vector<std::vector<std::string>> variantFiles;
    std::vector<std::string> allFiles;
    for (const std::int32_t number : numbers) {
        files.push_back(TilePath(out, series.Prefix, series.ImageType, number));
        variantFiles.push_back(
            VariantPaths(out, series.Prefix, series.ImageType, number, series.ExtendedSettings));
        allFiles.push_back(files.back());
        allFiles.insert(allFiles.end(), variantFiles.back().begin(), variantFiles.back().end());
    }
    RemoveStaleTemporaries(allFiles);
    const unsigned available = EncoderThreadsOf(series);
    // More threads than tiles would only wait; the bands of a large tile
    // still spread over all of them.
    const unsigned threads =
        std::min<unsigned>(available, static_cast<unsigned>(std::max<std::size_t>(1, numbers.size())));
    ExtendedSettings output = series.ExtendedSettings;
    if (request.Chroma) {
        output.Chroma = true;
        output.ChromaValue = *request.Chroma;
    }
    TTileSaver saver(threads, series.ImageType, series.Quality,
                     series.ExtendedSettings.Dpi ? series.ExtendedSettings.DpiValue : 0,
                     BandThreads(sizeX, sizeY, available), nullptr,
                     TileColourTag(series.ExtendedSettings, decoded), JpegChromaOf(output));
    TileVariants variants(series.ExtendedSettings);
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (!tiles.Make(draws[numbers[i]])) {
            saver.Finish();
            ReportError(platform, tiles.Maker().ErrorCode(), tiles.Maker().ErrorText());
            throw SilentStop();
        }
        Image laidOut = LaidOutTile(tiles.Tile(), series.ExtendedSettings);
        std::vector<VariantFile> written = variants.FilesOf(laidOut, variantFiles[i]);
        saver.Save(std::move(laidOut), files[i], std::move(written));
    }
    saver.Finish();
}

}  // namespace qm
