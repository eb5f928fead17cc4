// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "core/Image.h"
#include "imageio/DecodeOptions.h"

namespace qm {

// Appends the bare names of all entries of folder (sub-folders, "." and
// "..", hidden files included) in the order the file system returns them.
void ListFiles(const std::string& folder, std::vector<std::string>* list);

// Appends the bare names of the entries of folder matching mask, a shell
// wildcard pattern; "*.*" matches every entry, with or without a dot.
// Does nothing when list is null or the folder cannot be opened.
void FindFiles(const std::string& folder, const std::string& mask, std::vector<std::string>* list);

// The picture files of one folder, from which a run draws its source.
class TImageShelf {
public:
    // Lists the entries of folder with a picture extension as full paths.
    explicit TImageShelf(const std::string& folder);

    // True when the extension of name, lower-cased, is .bmp .jpg .jpeg .png
    // .heic .heif .avif .webp .tif or .tiff.
    static bool IsImageFile(const std::string& name);

    // Draws one readable picture at random into destination and returns its
    // path; unreadable files are dropped from Files on the way. Throws
    // ErrorMessage when no file can be read. With autoOrient the picture is
    // turned as its orientation tag says.
    std::string PickImage(Image& destination, bool autoOrient = false);
    // The same, the picture decoded as options say.
    std::string PickPicture(DecodedPicture& destination, const DecodeOptions& options);

    std::vector<std::string> Files;
};

}  // namespace qm
