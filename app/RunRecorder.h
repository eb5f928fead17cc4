// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

#include "app/MakeTiles.h"
#include "app/RunRecord.h"
#include "core/Image.h"

namespace qm {

// Keeps the record of one run while it goes: the seeds the generator takes,
// the source and every tile, and always the bytes a stop by signal would
// leave (StopRecord.h). Made() or Failed() writes the record atomically.
class TRunRecorder : public TileObserver {
public:
    // inputs holds the run's inputs; the record goes into outDirectory
    // (RecordPath).
    TRunRecorder(RunRecordData inputs, const std::string& outDirectory);
    ~TRunRecorder() override;
    TRunRecorder(const TRunRecorder&) = delete;
    TRunRecorder& operator=(const TRunRecorder&) = delete;

    // The step of the run the next seeds belong to: "folder", "shuffle", and
    // "run" from the tile loop on.
    void SetStep(const char* step) { step_ = step; }

    // The source picture as loaded: its file (for the folder source, the
    // picked one) and size; a clipboard picture is saved beside the record.
    void SourceLoaded(std::uint8_t kind, const std::string& file, const std::string& folder,
                      const Image& picture, double scale);

    void TileMade(std::int32_t number, const std::string& path, const TileDraw& draw) override;
    void TilesPlaced(std::size_t placed) noexcept override;

    void Made();
    // The failure's text, empty when it was shown already.
    void Failed(const std::string& message);

private:
    void PublishStopped() noexcept;
    void Write(const std::string& result);

    RunRecordData data_;
    std::string path_;
    // Where a clipboard picture is kept.
    std::string picturePath_;
    const char* step_ = "folder";
};

}  // namespace qm
