// SPDX-License-Identifier: MIT
#include "gui/ImageConversion.h"

#include <cstring>

namespace qm {

Image ImageFromQImage(const QImage& picture)
{
    CheckImageSize(picture.width(), picture.height());
    const QImage bgr = picture.convertToFormat(QImage::Format_BGR888);
    Image image(bgr.width(), bgr.height());
    for (int y = 0; y < bgr.height(); ++y) {
        std::memcpy(image.Row(y), bgr.constScanLine(y), image.RowBytes());
    }
    return image;
}

QImage QImageFromImage(const Image& image)
{
    QImage picture(image.Width(), image.Height(), QImage::Format_BGR888);
    for (int y = 0; y < image.Height(); ++y) {
        std::memcpy(picture.scanLine(y), image.Row(y), image.RowBytes());
    }
    return picture;
}

}  // namespace qm
