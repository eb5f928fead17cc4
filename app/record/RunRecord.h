// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/RunSettings.h"
#include "app/TileDraw.h"

namespace qm {

// One seed the generator took during a run: the step it was for ("folder",
// "shuffle" or "run") and whether it came from --seed rather than the clock.
struct RecordedSeed {
    std::string Step;
    std::uint32_t Seed = 0;
    bool Fixed = false;
};

// One tile of a run: its running number, file name and draws.
struct RecordedTile {
    std::int32_t Number = 0;
    std::string File;
    TileDraw Draw;
};

// How a run ended: "made", "failed" or "stopped" (by a signal), how many
// tiles (the first ones) are in place, and for a failure the tile that
// failed (none when the run failed before its tiles) with the failure's
// text when it had one of its own (a reported maker failure has none here).
struct RecordedEnd {
    std::string Result;
    std::size_t InPlace = 0;
    std::optional<std::int32_t> FailedTile;
    std::string Message;
};

// Everything needed to make any tile of a run again: the run's settings as
// the record keeps them, its source, seeds and tiles. The record holds all
// settings but the file's name as typed (SourcePath holds the file), the
// output folder (the record's own), the encoder threads and the index page;
// they read back as their defaults. DllName is the plug-in library's
// absolute path, empty without one; FileSelectType and FolderName are the
// source's kind and, for a folder, its absolute path, both as the run loaded
// the picture.
struct RunRecordData : RunSettings {
    std::string Version;
    std::string MethodName;
    std::string PluginSha256;

    // The file the picture was read from (absolute; for the clipboard the
    // PNG beside the record, by its bare name), the SHA-256 of that file and
    // the picture's size as the tiles were cut from it.
    std::string SourcePath;
    std::string SourceSha256;
    std::int32_t SourceWidth = 0;
    std::int32_t SourceHeight = 0;
    // The fit's scale of the picture, 1 when it was not scaled.
    double SourceScale = 1.0;
    // The M of the JPEG scale M/8 the picture was decoded at for the fit;
    // 8 for a full decode, which a record without it had.
    int SourceJpegScale = 8;
    // The description and SHA-256 of the picture's embedded colour profile;
    // both empty without one.
    std::string ProfileDescription;
    std::string ProfileSha256;

    std::vector<RecordedSeed> Seeds;
    std::vector<RecordedTile> Tiles;
    RecordedEnd End;
};

// The record as JSON text; a text that is not UTF-8 is kept with its bytes
// (RecordBytes.h).
std::string RenderRecord(const RunRecordData& record);

// The text of the record file path. Throws ErrorMessage when it cannot be
// read (as ReadWholeFile), or when it is larger than kMaxRecordBytes, which
// is refused before it is read (作成記録の … が不正です).
std::string ReadRecordFile(const std::string& path);

// The record of JSON text; throws ErrorMessage naming path when the text is
// no record, and refuses a record nested deeper than kMaxRecordDepth or
// whose fields a run would refuse (CheckRecordFields).
RunRecordData ParseRecord(const std::string& text, const std::string& path);

// The record file of a run: <outDirectory><prefix>record.json.
std::string RecordPath(const std::string& outDirectory, const std::string& prefix);

// The record's copy of a clipboard picture: <outDirectory><prefix>record.png.
std::string RecordPicturePath(const std::string& outDirectory, const std::string& prefix);

}  // namespace qm
