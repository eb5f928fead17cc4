// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/ExtendedSettings.h"
#include "app/MakeTiles.h"

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

// Everything needed to make any tile of a run again.
struct RunRecordData {
    std::string Version;

    std::uint8_t MethodCode = 0;
    std::string MethodName;
    std::int32_t SizeX = 0;
    std::int32_t SizeY = 0;
    bool Shuffle = false;
    bool Blur = false;
    bool Brightness = false;
    std::int32_t RotateNum = 0;
    // Absolute path and SHA-256 of the plug-in library; empty without one.
    std::string PluginPath;
    std::string PluginSha256;
    std::uint8_t ImageType = 0;
    std::int32_t Quality = 0;
    std::string Prefix;
    std::int32_t Count = 0;
    ExtendedSettings Extended;

    // The source: its kind (0 file, 1 folder, 2 clipboard), the file the
    // picture was read from (absolute; for the clipboard the PNG beside the
    // record, by its bare name), the SHA-256 of that file, the folder of a
    // folder source, and the picture's size as the tiles were cut from it.
    std::uint8_t SourceKind = 0;
    std::string SourcePath;
    std::string SourceSha256;
    std::string Folder;
    std::int32_t SourceWidth = 0;
    std::int32_t SourceHeight = 0;
    // The fit's scale of the picture, 1 when it was not scaled.
    double SourceScale = 1.0;
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
