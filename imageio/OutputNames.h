// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// The names of the files the program writes, and the rules they follow.
// Every writer takes its names from here, so no two writers can disagree.

// The path of a file of a run given by name: a relative name counts from
// outDirectory (empty for the working folder, else ending in "/"), an
// absolute one is used as given.
std::string OutputPath(const std::string& outDirectory, const std::string& name);

// prefix + number with at least three digits + "." + extension: the tiles
// of a run, image001.png.
std::string NumberedName(const std::string& prefix, std::int32_t number,
                         const std::string& extension);

// A variant of a numbered tile, named by its mark: prefix + number +
// "-" + mark + "." + extension, image001-c2.png.
std::string VariantName(const std::string& prefix, std::int32_t number, const std::string& mark,
                        const std::string& extension);

// The record of a run, its copy of a clipboard picture and its contact
// sheet: <prefix>record.json, <prefix>record.png, <prefix>sheet.png.
std::string RecordName(const std::string& prefix);
std::string RecordPictureName(const std::string& prefix);
std::string SheetName(const std::string& prefix);

// Whether prefix may start the names of a run's files: it may name a
// subfolder of the output folder (sub/img), but holds no ".." part, starts
// with no "/" and holds no NUL or other control character, so no file of
// the run lands outside the output folder.
bool IsAllowedPrefix(std::string_view prefix);

// The first of paths that names the same file as an earlier one after
// lexical normalisation (./x is x, a//b is a/b, relative paths count from
// the working folder); nothing when all differ.
std::optional<std::string> FirstRepeatedPath(const std::vector<std::string>& paths);

// The folders of a batch, one for each of names (picture file names, in
// sorted order): the name without its extension; with a leading "_" when
// that is empty or only dots; name-extension (a-jpg) when two pictures share
// it; and with -2, -3, ... in the order of names when that is still taken.
// The names are distinct, and the same for the same names whatever else
// happens.
std::vector<std::string> BatchFolderNames(const std::vector<std::string>& names);

}  // namespace qm
