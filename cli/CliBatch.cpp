// SPDX-License-Identifier: MIT
#include "cli/CliBatch.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "app/run/PictureReadAhead.h"
#include "app/run/UImageShelf.h"
#include "core/Format.h"
#include "core/Random.h"
#include "core/Translate.h"
#include "cli/CliSession.h"
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

int RunBatch(const CliOptions& options, std::ostream& out, std::ostream& err)
{
    const std::vector<BatchPicture> pictures = BatchPictures(*options.batch, *options.out);
    if (pictures.empty()) {
        err << T("イメージファイルが存在しません。") << '\n';
        return kExitRefused;
    }
    const bool progress = ShowsProgress(err);
    const int n = static_cast<int>(pictures.size());
    int done = 0;
    long long tiles = 0;
    for (int k = 0; k < n; ++k) {
        const BatchPicture& picture = pictures[static_cast<std::size_t>(k)];
        const std::string name = BareName(picture.File);
        if (progress) {
            err << '\r' << Format(T("画像 %1$d / %2$d / picture %1$d of %2$d: %3$s"), {k + 1, n, name}) << "\x1b[K"
                << std::flush;
        }
        if (options.seed) {
            rng::FixReseed(*options.seed + static_cast<std::uint32_t>(k));
        }
        CliOptions run = options;
        run.batch.reset();
        run.file = picture.File;
        run.out = picture.OutFolder;
        run.progressPrefix = Format(T("画像 %1$d / %2$d / picture %1$d of %2$d: %3$s"), {k + 1, n, name}) + "  ";
        std::error_code error;
        std::filesystem::create_directories(picture.OutFolder, error);
        SessionResult result;
        if (error) {
            err << Format(T("ファイル出力先のフォルダを作成できません / cannot create the output "
                            "folder: %s: %s"),
                          {picture.OutFolder, error.message()})
                << '\n';
        } else {
            // The next picture is decoded while this one's tiles are made.
            PictureReadAhead::Shared().SetNext(
                k + 1 < n ? pictures[static_cast<std::size_t>(k) + 1].File : std::string());
            result = RunSession(run, out, err);
        }
        if (progress) {
            err << "\r\x1b[K";
        }
        if (result.exitCode == kExitUsage) {
            return kExitUsage;
        }
        if (result.exitCode == kExitMade) {
            ++done;
            tiles += result.tilesMade;
        } else {
            err << Format(T("%s: 作成できませんでした / not made"), {name}) << '\n';
        }
    }
    out << Format(T("一括作成: 完了 %1$d, 失敗 %2$d, タイル %3$d / batch: %1$d done, %2$d failed, "
                    "%3$d tiles written"),
                  {done, n - done, tiles})
        << '\n';
    return done == n ? kExitMade : kExitRefused;
}

}  // namespace qm
