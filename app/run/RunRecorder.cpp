// SPDX-License-Identifier: MIT
#include "app/run/RunRecorder.h"

#include <algorithm>
#include <filesystem>
#include <span>
#include <string_view>
#include <utility>

#include "app/AppInfo.h"
#include "app/record/FileHash.h"
#include "app/run/SourceImages.h"
#include "app/record/StopRecord.h"
#include "core/Random.h"
#include "engine/MethodCatalogue.h"
#include "imageio/FileIo.h"
#include "imageio/PngWriter.h"

namespace qm {
namespace {

std::string BareName(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

std::string AbsolutePath(const std::string& path)
{
    return std::filesystem::absolute(path).lexically_normal().string();
}

// The record of a run of settings before its source is loaded.
RunRecordData RecordedInputs(const RunSettings& settings)
{
    RunRecordData r;
    static_cast<RunSettings&>(r) = settings;
    r.Version = kApplicationVersion;
    const MethodInfo* method = BuiltinMethod(settings.TransMethod);
    if (method == nullptr && settings.ExtendedSettings.WallpaperGroups) {
        method = GroupMethod(settings.TransMethod);
    }
    r.MethodName = settings.TransMethod == kPluginMethodCode ? "外部変換"
                   : method != nullptr                       ? method->itemText
                                                             : "";
    if (settings.TransMethod == kPluginMethodCode) {
        r.DllName = AbsolutePath(settings.DllName);
        r.PluginSha256 = Sha256OfFile(settings.DllName).value_or("");
    } else {
        r.DllName.clear();
    }
    // The source goes in as it is loaded (SourceLoaded).
    r.FileSelectType = kSourceImageFile;
    r.FolderName.clear();
    return r;
}

}  // namespace

TRunRecorder::TRunRecorder(const RunSettings& settings)
    : data_(RecordedInputs(settings)),
      path_(RecordPath(settings.OutDirectory, settings.Prefix)),
      picturePath_(RecordPicturePath(settings.OutDirectory, settings.Prefix))
{
    // Putting a tile in place moves it here, which must not allocate then.
    data_.Tiles.reserve(static_cast<std::size_t>(std::max(data_.Count, 0)));
    rng::ObserveReseeds([this](std::uint32_t seed, bool fixed) {
        data_.Seeds.push_back({step_, seed, fixed});
    });
    PublishStopped();
}

TRunRecorder::~TRunRecorder()
{
    rng::ObserveReseeds({});
    WithdrawStopRecord();
    DiscardPrepared();
}

void TRunRecorder::SourceProfile(const std::string& description, const std::string& sha256)
{
    data_.ProfileDescription = description;
    data_.ProfileSha256 = sha256;
}

void TRunRecorder::SourceLoaded(std::uint8_t kind, const std::string& file,
                                const std::string& folder, const Image& picture, double scale)
{
    data_.FileSelectType = kind;
    data_.SourceScale = scale;
    data_.SourceWidth = picture.Width();
    data_.SourceHeight = picture.Height();
    if (kind == kSourceClipboard) {
        // The clipboard will not hold the picture later; the record keeps it.
        const std::vector<std::uint8_t> bytes = EncodePng(picture);
        WriteFileAtomically(picturePath_, bytes);
        data_.SourcePath = BareName(picturePath_);
        data_.SourceSha256 = Sha256Hex(bytes);
    } else {
        data_.SourcePath = AbsolutePath(file);
        data_.SourceSha256 = Sha256OfFile(file).value_or("");
        if (kind == kSourceFolder) {
            data_.FolderName = AbsolutePath(folder);
        }
    }
    PublishStopped();
}

void TRunRecorder::FitChosen(int percent)
{
    if (data_.ExtendedSettings.Fit && data_.ExtendedSettings.FitAuto) {
        data_.ExtendedSettings.FitPercent = percent;
    }
}

void TRunRecorder::TileMade(std::int32_t number, const std::string& path, const TileDraw& draw)
{
    made_.push_back({number, BareName(path), draw});
    if (made_.size() == 1) {
        PrepareNext();
    }
}

void TRunRecorder::PrepareNext() noexcept
{
    DiscardPrepared();
    try {
        RunRecordData next = data_;
        next.Tiles.push_back(made_.front());
        next.End.InPlace = next.Tiles.size();
        next.End.Result = "stopped";
        const std::string bytes = RenderRecord(next);
        prepared_ = next.End.InPlace;
        PrepareStopRecord(path_, bytes);
        preparedStop_ = true;
        preparedFile_ = WriteTemporaryFile(
            path_, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    } catch (...) {
        // Out of memory or a file that cannot be written: the record stays
        // as it was, and the end of the run reports a record it cannot write.
    }
}

void TRunRecorder::DiscardPrepared() noexcept
{
    if (!preparedFile_.empty()) {
        DiscardTemporaryFile(preparedFile_);
        preparedFile_.clear();
    }
    prepared_ = 0;
    preparedStop_ = false;
}

void TRunRecorder::Placed(std::size_t placed) noexcept
{
    if (preparedStop_ && prepared_ == placed) {
        PublishPreparedStopRecord();
    }
}

void TRunRecorder::TilesPlaced(std::size_t placed) noexcept
{
    while (data_.Tiles.size() < placed && !made_.empty()) {
        data_.Tiles.push_back(std::move(made_.front()));
        made_.pop_front();
    }
    data_.End.InPlace = placed;
    if (prepared_ == placed && !preparedFile_.empty()) {
        try {
            CommitTemporaryFile(preparedFile_, path_);
        } catch (...) {
            // As above: the end of the run writes the record again.
        }
        preparedFile_.clear();
    }
    DiscardPrepared();
    if (!made_.empty()) {
        PrepareNext();
    }
}

void TRunRecorder::PublishStopped() noexcept
{
    try {
        data_.End.Result = "stopped";
        PublishStopRecord(path_, RenderRecord(data_));
    } catch (...) {
        // Out of memory: a stop leaves the record published before.
    }
}

void TRunRecorder::Made()
{
    Write("made");
}

void TRunRecorder::Failed(const std::string& message)
{
    if (std::string_view(step_) == "run") {
        data_.End.FailedTile = static_cast<std::int32_t>(data_.End.InPlace) + 1;
    }
    data_.End.Message = message;
    Write("failed");
}

void TRunRecorder::Write(const std::string& result)
{
    DiscardPrepared();
    data_.End.Result = result;
    const std::string bytes = RenderRecord(data_);
    // A stop while the file is written leaves these very bytes.
    PublishStopRecord(path_, bytes);
    WriteFileAtomically(path_, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                         bytes.size()));
}

}  // namespace qm
