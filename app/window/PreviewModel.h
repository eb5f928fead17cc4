// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/run/FitPicture.h"
#include "app/run/MakeTiles.h"
#include "app/RunSettings.h"
#include "core/Image.h"
#include "core/Random.h"

namespace qm {

class TfrmMain;

// The settings of the main window that the tile of a preview depends on:
// those of a run from the window's source, method, flags and extended
// settings, and the texts of the cut's size fields, which the preview judges
// as the make action does.
struct PreviewSettings : RunSettings {
    std::string SizeXText;
    std::string SizeYText;

    bool operator==(const PreviewSettings&) const = default;
};

PreviewSettings PreviewSettingsOf(const TfrmMain& main);

// One computed preview: the tile and where its piece was cut, or the
// problem that a make action with these settings would report.
struct PreviewTile {
    Image Tile;
    TileDraw Draw;
    // The fit's scale of the source picture, 1 when it is not scaled.
    double Scale = 1.0;
    // What decoding the source had to say (a profile it could not use).
    std::vector<std::string> Warnings;
    // The picture the piece was cut from, fitted and blurred as in a run.
    std::shared_ptr<const Image> Source;
    // The cut, in pixels.
    int SizeX = 0;
    int SizeY = 0;
    std::string Problem;

    bool Ok() const { return Problem.empty(); }
};

// Makes the tile a run would make from the current settings for one cut
// position, drawn from a generator of its own. The decoded source (and its
// blurred copy) is kept until the file, the folder or the clipboard picture
// changes; a folder's drawn picture is kept until the folder changes or a
// re-roll. One call at a time: the preview's worker owns it.
class TPreviewModel {
public:
    explicit TPreviewModel(std::uint32_t seed);

    // The next cut position, and for a folder source another picture.
    void Reroll();

    // The tile of settings at the current cut position. clipboard is the
    // picture read from the clipboard for a clipboard source (null: none).
    PreviewTile Make(const PreviewSettings& settings, std::shared_ptr<const Image> clipboard);

private:
    // The source picture, decoded as a run with a cut of longer side
    // cutSide would decode it (SourceDecodeOptions); throws ErrorMessage or
    // SilentStop as a run's loading would.
    const Image& Source(const PreviewSettings& settings,
                        const std::shared_ptr<const Image>& clipboard, int cutSide);
    // The source as the run cuts it: fitted to a sizeX by sizeY cut (at the
    // fit the run would choose, for an automatic one), then blurred, as the
    // settings ask.
    const Image& Shown(const PreviewSettings& settings, int sizeX, int sizeY);

    Lcg generator_;
    // The draws of the current cut position start from this seed.
    std::uint32_t drawSeed_;
    // Bumped by every re-roll: a folder source draws its picture anew.
    std::uint64_t rolls_ = 0;
    std::string sourceKey_;
    std::shared_ptr<const Image> source_;
    // The source's size at full scale, larger than source_'s for a JPEG
    // decoded at a smaller scale for the fit.
    PictureSize full_;
    std::vector<std::string> warnings_;
    // What shown_ was derived with: blur, fit percentage (0 without the fit)
    // and the cut's longer side.
    std::string shownKey_;
    std::shared_ptr<const Image> shown_;
    double scale_ = 1.0;
};

}  // namespace qm
