// SPDX-License-Identifier: MIT
#include "cli/CliBatch.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <span>
#include <system_error>
#include <variant>

#include "app/run/PictureReadAhead.h"
#include "app/run/UImageShelf.h"
#include "cli/BatchGallery.h"
#include "cli/BatchSeed.h"
#include "cli/BatchShare.h"
#include "cli/BatchSummary.h"
#include "cli/CliSession.h"
#include "cli/ConsolePlatform.h"
#include "core/Errors.h"
#include "core/Format.h"
#include "core/Random.h"
#include "core/Translate.h"
#include "imageio/FileIo.h"
#include "imageio/OutputNames.h"

namespace qm {
namespace {

std::string BareName(const std::string& path)
{
    return path.substr(path.find_last_of('/') + 1);  // npos + 1 == 0
}

// The progress line is for a person watching the terminal, not for a log.
bool ShowsProgress(const std::ostream& err)
{
    return &err == &std::cerr && isatty(STDERR_FILENO) == 1;
}

}  // namespace

std::vector<BatchPicture> BatchPictures(const std::string& folder, const std::string& out)
{
    std::vector<std::string> names;
    for (const std::string& path : TImageShelf(folder).Files) {
        names.push_back(BareName(path));
    }
    std::sort(names.begin(), names.end());
    const std::vector<std::string> folders = BatchFolderNames(names);
    std::vector<BatchPicture> pictures;
    for (std::size_t i = 0; i < names.size(); ++i) {
        pictures.push_back({Format("%s/%s", {folder, names[i]}), Format("%s/%s", {out, folders[i]})});
    }
    return pictures;
}

namespace {

// The share the options ask for; nothing without --shard. A share the
// options or the job runner's variables cannot give is a usage error,
// told on err.
std::variant<std::optional<BatchShare>, int> ChosenShare(const CliOptions& options, std::ostream& err)
{
    if (!options.shard) {
        return std::optional<BatchShare>();
    }
    std::string refusal;
    if (*options.shard != "auto") {
        if (!options.shardCount) {
            return ParseShare(*options.shard);
        }
        refusal = T("--shard-count は --shard auto の時だけ指定できます");
    } else {
        std::variant<BatchShare, std::string> share = ShareFromEnvironment(options.shardCount);
        if (const BatchShare* given = std::get_if<BatchShare>(&share)) {
            return std::optional<BatchShare>(*given);
        }
        refusal = std::get<std::string>(share);
    }
    err << refusal << '\n' << "Run with --help for more information.\n";
    return kExitUsage;
}

bool WriteSummary(const CliOptions& options, const std::vector<PictureOutcome>& outcomes,
                  const std::optional<BatchShare>& share, std::ostream& out, std::ostream& err)
{
    const std::string json = BatchSummaryJson(outcomes, share);
    if (*options.summary == "-") {
        out << json << std::flush;
        return true;
    }
    const std::string file = SummaryFileName(*options.summary, share);
    try {
        WriteFileAtomically(file, std::span(reinterpret_cast<const std::uint8_t*>(json.data()), json.size()));
    } catch (const ErrorMessage& error) {
        err << ConsoleText(error.what());
        return false;
    }
    return true;
}

}  // namespace

int RunBatch(const CliOptions& options, std::ostream& out, std::ostream& err)
{
    const std::vector<BatchPicture> pictures = BatchPictures(*options.batch, *options.out);
    if (pictures.empty()) {
        err << T("イメージファイルが存在しません。") << '\n';
        return kExitRefused;
    }
    const std::variant<std::optional<BatchShare>, int> chosen = ChosenShare(options, err);
    if (const int* usage = std::get_if<int>(&chosen)) {
        return *usage;
    }
    const std::optional<BatchShare>& share = std::get<std::optional<BatchShare>>(chosen);
    // With the summary on the standard output, everything else goes to the
    // error stream.
    std::ostream& lines = options.summary == "-" ? err : out;
    const int n = static_cast<int>(pictures.size());
    const ShareRange range = share ? RangeOfShare(pictures.size(), *share) : ShareRange{0, pictures.size()};
    if (share) {
        lines << Format(T("区切り %1$d/%2$d: 画像 %3$d 枚のうち %4$d 枚"),
                        {share->Index, share->Count, n, static_cast<int>(range.Last - range.First)})
              << '\n';
    }
    const bool progress = ShowsProgress(err);
    int done = 0;
    int skipped = 0;
    long long tiles = 0;
    std::vector<PictureOutcome> outcomes;
    for (std::size_t i = range.First; i < range.Last; ++i) {
        const BatchPicture& picture = pictures[i];
        const int k = static_cast<int>(i);
        const std::string name = BareName(picture.File);
        if (progress) {
            err << '\r' << Format(T("画像 %1$d / %2$d / picture %1$d of %2$d: %3$s"), {k + 1, n, name}) << "\x1b[K"
                << std::flush;
        }
        if (options.seed) {
            rng::FixReseed(PictureSeed(*options.seed, name));
        }
        CliOptions run = options;
        run.batch.reset();
        run.file = picture.File;
        run.out = picture.OutFolder;
        run.batchPicture = true;
        run.progressPrefix = Format(T("画像 %1$d / %2$d / picture %1$d of %2$d: %3$s"), {k + 1, n, name}) + "  ";
        const auto started = std::chrono::steady_clock::now();
        std::error_code error;
        std::filesystem::create_directories(picture.OutFolder, error);
        SessionResult result;
        if (error) {
            result.error = Format(T("ファイル出力先のフォルダを作成できません / cannot create the output "
                                    "folder: %s: %s"),
                                  {picture.OutFolder, error.message()});
            err << result.error << '\n';
        } else {
            // The next picture of the share is decoded while this one's tiles
            // are made.
            PictureReadAhead::Shared().SetNext(i + 1 < range.Last ? pictures[i + 1].File : std::string());
            result = RunSession(run, lines, err);
        }
        if (progress) {
            err << "\r\x1b[K";
        }
        if (result.exitCode == kExitUsage) {
            return kExitUsage;
        }
        PictureOutcome outcome{picture.File, picture.OutFolder, 0, result.skipped,
                               std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count(),
                               std::nullopt};
        if (result.exitCode != kExitMade) {
            outcome.Error = result.error;
            err << Format(T("[%1$d/%2$d] %3$s: 作成できませんでした"), {k + 1, n, name}) << '\n';
        } else if (result.skipped) {
            ++skipped;
            outcome.Tiles = result.tilesMade;
            lines << Format(T("[%1$d/%2$d] %3$s: 作成済み"), {k + 1, n, name}) << '\n';
        } else {
            ++done;
            tiles += result.tilesMade;
            outcome.Tiles = result.tilesMade;
            lines << Format(T("[%1$d/%2$d] %3$s: タイル %4$d 枚"), {k + 1, n, name, result.tilesMade}) << '\n';
        }
        outcomes.push_back(std::move(outcome));
    }
    const int count = static_cast<int>(outcomes.size());
    const int failed = count - done - skipped;
    if (options.skipExisting) {
        lines << Format(T("一括作成: 完了 %1$d, 作成済み %2$d, 失敗 %3$d, タイル %4$d"),
                        {done, skipped, failed, tiles});
    } else {
        lines << Format(T("一括作成: 完了 %1$d, 失敗 %2$d, タイル %3$d / batch: %1$d done, %2$d failed, "
                          "%3$d tiles written"),
                        {done, failed, tiles});
    }
    lines << '\n' << std::flush;
    if (options.summary && !WriteSummary(options, outcomes, share, out, err)) {
        return kExitRefused;
    }
    // The page of the whole batch, from what its folder holds now; a shard
    // leaves it to --gallery-of once every shard is done.
    if (options.gallery && !share && !WriteBatchGallery(*options.out, options.gallery, err)) {
        return kExitRefused;
    }
    return failed == 0 ? kExitMade : failed == count ? kExitRefused : kExitSomeFailed;
}

}  // namespace qm
