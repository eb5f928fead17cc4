// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "app/pages/GalleryPage.h"

namespace qm {

// The pieces both gallery pages are made of, so the page of a run and the
// page of a batch look and answer the keys alike.

// Text with the characters that HTML reads as markup as their references,
// fit for an element's text and for a quoted attribute.
std::string EscapeHtml(const std::string& text);

// The page up to the opening of its grid of swatches: the language shown,
// the title ギャラリー and the style, followed by extraStyle (rules of its
// own, each a line ending in "\n").
std::string GalleryHead(const std::string& extraStyle = "");

// The markup of tile as the grid shows it: one swatch, or the swatch and
// its variants' in one frame. Its files lie in tileFolder, the folder as
// seen from the page, empty or ending in "/".
std::string GallerySwatches(const GalleryTile& tile, const std::string& tileFolder);

// The rest of the page after the grid: the view, its bar and the script
// that steps through every swatch of the page.
std::string GalleryTail();

}  // namespace qm
