// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>

#include "core/Image.h"

namespace qm {

// A Qt picture of any format as the program's 24-bit blue-green-red image.
// Transparency is dropped; a picture beyond the program's size limits
// throws ErrorMessage.
Image ImageFromQImage(const QImage& picture);

// The program's image as a Qt picture (for previews and the clipboard).
QImage QImageFromImage(const Image& image);

}  // namespace qm
