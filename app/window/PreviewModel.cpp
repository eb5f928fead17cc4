// SPDX-License-Identifier: MIT
#include "app/window/PreviewModel.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/run/AutoFit.h"
#include "app/run/FitPicture.h"
#include "app/window/Main.h"
#include "app/run/SourceDecoding.h"
#include "app/run/SourceImages.h"
#include "app/TextToInt.h"
#include "app/run/UImageShelf.h"
#include "app/run/RunTiles.h"
#include "core/Errors.h"
#include "core/Translate.h"
#include "effects/ImageEffect.h"
#include "engine/ErrorCodes.h"
#include "engine/MethodCatalogue.h"
#include "imageio/ImageFiles.h"
#include "plugin/CheckPluginLibrary.h"
#include "plugin/PluginTimeBudget.h"

namespace qm {
namespace {

using enum ControlId;

// Keeps the text of the last box instead of showing it.
class MessageCatcher : public MessageBoxes {
public:
    void ShowErrorBox(const std::string& text) override { text_ = text; }
    void ShowInfoBox(const std::string& text) override { text_ = text; }
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

// What identifies a file's content: its path, size and time of change;
// empty when there is no such file.
std::string FileKey(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return "";
    }
    const auto size = std::filesystem::file_size(path, error);
    const auto time = std::filesystem::last_write_time(path, error);
    return "file:" + path + ":" + std::to_string(size) + ":" +
           std::to_string(time.time_since_epoch().count());
}

}  // namespace

PreviewSettings PreviewSettingsOf(const TfrmMain& main)
{
    PreviewSettings settings;
    settings.FileSelectType = main.State(rdbImageFile).checked           ? kSourceImageFile
                              : main.State(rdbSelectImageFolder).checked ? kSourceFolder
                                                                         : kSourceClipboard;
    settings.FileName = main.State(edtFileName).text;
    settings.FolderName = main.State(edtSelectImageFolder).text;
    if (main.State(rdbBasic).checked) {
        settings.TransMethod = main.SelectedMethodCode();
    } else {
        settings.TransMethod = kPluginMethodCode;
        settings.DllName = main.State(edtDll).text;
    }
    settings.SizeXText = main.State(edtSizeX).text;
    settings.SizeYText = main.State(edtSizeY).text;
    settings.RotateNum = main.RotateNum();
    settings.ShuffleFlag = main.State(ckbShuffle).checked;
    settings.ShadeOffFlag = main.State(ckbShadeOff).checked;
    settings.BrightnessFlag = main.State(ckbBrightness).checked;
    settings.ExtendedSettings = main.Extended();
    return settings;
}

TPreviewModel::TPreviewModel(std::uint32_t seed) : generator_(seed), drawSeed_(seed) {}

void TPreviewModel::Reroll()
{
    drawSeed_ = generator_.Random(0xFFFFFFFFu);
    ++rolls_;
}

const Image& TPreviewModel::Source(const PreviewSettings& settings,
                                   const std::shared_ptr<const Image>& clipboard, int cutSide)
{
    std::string key;
    switch (settings.FileSelectType) {
    case kSourceImageFile:
        key = FileKey(settings.FileName);
        if (key.empty()) {
            throw ErrorMessage(T("ファイルが見つかりません\r\n") + settings.FileName);
        }
        break;
    case kSourceFolder:
        key = "folder:" + settings.FolderName + ":" + std::to_string(rolls_);
        break;
    default:
        if (!clipboard) {
            throw ErrorMessage(T("クリップボードから画像を取得できません。"));
        }
        key = "clipboard:" + std::to_string(reinterpret_cast<std::uintptr_t>(clipboard.get()));
        break;
    }
    const DecodeOptions options = SourceDecodeOptions(settings.ExtendedSettings, cutSide);
    key += options.AutoOrient ? ":turned" : "";
    if (options.MinSizeFor) {
        key += ":fit" + std::to_string(settings.ExtendedSettings.FitPercent) + "x" +
               std::to_string(cutSide);
    }
    key += ":colour" + std::to_string(static_cast<int>(options.Colour));
    if (options.Background) {
        key += ":on" + settings.ExtendedSettings.BackgroundColour;
    }
    if (key != sourceKey_ || !source_) {
        source_.reset();
        shown_.reset();
        warnings_.clear();
        if (settings.FileSelectType == kSourceImageFile) {
            DecodedPicture decoded = LoadPictureFile(settings.FileName, options);
            warnings_ = std::move(decoded.Warnings);
            full_ = {decoded.FullWidth, decoded.FullHeight};
            source_ = std::make_shared<const Image>(std::move(decoded.Picture));
        } else if (settings.FileSelectType == kSourceFolder) {
            std::error_code error;
            if (!std::filesystem::is_directory(settings.FolderName, error)) {
                throw ErrorMessage(T("フォルダが見つかりません\r\n") + settings.FolderName);
            }
            TImageShelf shelf(settings.FolderName);
            DecodedPicture decoded;
            shelf.PickPicture(decoded, options);
            warnings_ = std::move(decoded.Warnings);
            full_ = {decoded.FullWidth, decoded.FullHeight};
            source_ = std::make_shared<const Image>(std::move(decoded.Picture));
        } else {
            full_ = {clipboard->Width(), clipboard->Height()};
            source_ = clipboard;
        }
        sourceKey_ = key;
    }
    return *source_;
}

const Image& TPreviewModel::Shown(const PreviewSettings& settings, int sizeX, int sizeY)
{
    const int cutSide = std::max(sizeX, sizeY);
    const ExtendedSettings& extended = settings.ExtendedSettings;
    const bool autoFit = extended.Fit && extended.FitAuto;
    int percent = extended.Fit && !autoFit ? extended.FitPercent : 0;
    // The automatic fit is chosen again only when the cut changes.
    const std::string fit = autoFit ? "auto:" + std::to_string(sizeX) + "x" + std::to_string(sizeY)
                                    : std::to_string(percent) + ":" +
                                          std::to_string(percent != 0 ? cutSide : 0);
    const std::string key = std::to_string(settings.ShadeOffFlag) + ":" + fit;
    if (!shown_ || key != shownKey_) {
        if (autoFit) {
            percent = ChooseFit(*source_, sizeX, sizeY);
        }
        FittedPicture fitted = percent != 0 ? FitPicture(*source_, cutSide, percent, full_)
                                            : FittedPicture{*source_, 1.0};
        if (settings.ShadeOffFlag) {
            Blur(fitted.Picture);
        }
        shown_ = std::make_shared<const Image>(std::move(fitted.Picture));
        scale_ = fitted.Scale;
        shownKey_ = key;
    }
    return *shown_;
}

PreviewTile TPreviewModel::Make(const PreviewSettings& settings,
                                std::shared_ptr<const Image> clipboard)
{
    PreviewTile result;
    MessageCatcher messages;
    // The library's check and the preparation share one budget, as in a run.
    const PluginTimeBudget pluginTime;
    try {
        const std::optional<std::int32_t> sizeX = TextToInt(settings.SizeXText);
        const std::optional<std::int32_t> sizeY = TextToInt(settings.SizeYText);
        // The picture is decoded as the run of this cut would decode it.
        Source(settings, clipboard, sizeX && sizeY ? std::max(*sizeX, *sizeY) : 0);
        if (settings.TransMethod == kPluginMethodCode) {
            CheckPluginLibrary(messages, settings.DllName);
        }
        if (!sizeX || !sizeY || *sizeX % 2 != 0 || *sizeY % 2 != 0) {
            throw ErrorMessage(T("サイズの指定が不正です"));
        }
        const Image& source = Shown(settings, *sizeX, *sizeY);
        result.Scale = scale_;
        result.Warnings = warnings_;
        result.Source = shown_;
        result.SizeX = *sizeX;
        result.SizeY = *sizeY;
        RunSettings run = settings;
        run.Count = 1;
        run.SizeX = *sizeX;
        run.SizeY = *sizeY;
        const PreparedTiles prepared =
            PrepareRunTiles(messages, {run, &source, source_.get(), std::nullopt});

        const TileSeries series{run, prepared.RangeX, prepared.RangeY, {}};
        Lcg draws(drawSeed_);
        result.Draw = DrawTile(draws, series, source);
        if (!prepared.Tiles->Make(result.Draw)) {
            ReportError(messages, prepared.Tiles->Maker().ErrorCode(),
                        prepared.Tiles->Maker().ErrorText());
            throw SilentStop();
        }
        result.Tile = LaidOutTile(prepared.Tiles->Tile(), settings.ExtendedSettings);
    } catch (const SilentStop&) {
        result.Problem = messages.Text();
    } catch (const ErrorMessage& error) {
        result.Problem = error.what();
    }
    return result;
}

}  // namespace qm
