// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "app/run/MakeTiles.h"
#include "app/record/RunRecord.h"
#include "app/RunSettings.h"
#include "core/Image.h"

namespace qm {

// Keeps the record of one run while it goes: the seeds the generator takes,
// the source and every tile. From the first tile put in place on, the
// record in the folder and the bytes a stop by signal would leave
// (StopRecord.h) list exactly the tiles in place: before a tile is put in
// place, the record that lists it is written to a temporary file and made
// the stop's; in the step of the tile's rename it is published, and just
// after it renamed over the record. Made() or Failed() writes the final
// record.
class TRunRecorder : public TileObserver {
public:
    // The record of a run of settings, which goes into its OutDirectory
    // (RecordPath).
    explicit TRunRecorder(const RunSettings& settings);
    ~TRunRecorder() override;
    TRunRecorder(const TRunRecorder&) = delete;
    TRunRecorder& operator=(const TRunRecorder&) = delete;

    // The step of the run the next seeds belong to: "folder", "shuffle", and
    // "run" from the tile loop on.
    void SetStep(const char* step) { step_ = step; }

    // The embedded colour profile of the source picture, when it has one:
    // its description and SHA-256; before SourceLoaded.
    void SourceProfile(const std::string& description, const std::string& sha256);

    // The source picture as loaded: its file (for the folder source, the
    // picked one) and size; a clipboard picture is saved beside the record.
    void SourceLoaded(std::uint8_t kind, const std::string& file, const std::string& folder,
                      const Image& picture, double scale);

    // The M of the JPEG scale M/8 the source was decoded at, 8 for the full
    // size.
    void SourceJpegScale(int scale) { data_.SourceJpegScale = scale; }

    // The fit the source was fitted at, for a run that chose it itself.
    void FitChosen(int percent);

    void TileMade(std::int32_t number, const std::string& path, const TileDraw& draw) override;
    void Placed(std::size_t placed) noexcept override;
    void TilesPlaced(std::size_t placed) noexcept override;

    void Made();
    // The failure's text, empty when it was shown already.
    void Failed(const std::string& message);

private:
    void PublishStopped() noexcept;
    // Prepares the record that lists the next tile to be put in place.
    void PrepareNext() noexcept;
    void DiscardPrepared() noexcept;
    void Write(const std::string& result);

    // The tiles in place and how the run stands.
    RunRecordData data_;
    // The tiles made and not yet in place, in order.
    std::deque<RecordedTile> made_;
    std::string path_;
    // Where a clipboard picture is kept.
    std::string picturePath_;
    const char* step_ = "folder";
    // The number of tiles in place that the prepared record lists, 0 for
    // none; its temporary file, empty when it could not be written, and
    // whether it is the stop's prepared record.
    std::size_t prepared_ = 0;
    std::string preparedFile_;
    bool preparedStop_ = false;
};

}  // namespace qm
