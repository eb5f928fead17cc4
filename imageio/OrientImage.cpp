// SPDX-License-Identifier: MIT
#include "imageio/OrientImage.h"

#include <algorithm>

namespace qm {

Image OrientImage(Image picture, int orientation)
{
    if (orientation < 2 || orientation > 8) {
        return picture;
    }
    const int w = picture.Width();
    const int h = picture.Height();
    const bool sideways = orientation >= 5;
    Image turned(sideways ? h : w, sideways ? w : h);
    for (int y = 0; y < turned.Height(); ++y) {
        std::uint8_t* out = turned.Row(y);
        for (int x = 0; x < turned.Width(); ++x, out += 3) {
            // The stored pixel that lands on (x, y).
            int sx = x;
            int sy = y;
            switch (orientation) {
            case 2: sx = w - 1 - x; break;
            case 3: sx = w - 1 - x; sy = h - 1 - y; break;
            case 4: sy = h - 1 - y; break;
            case 5: sx = y; sy = x; break;
            case 6: sx = y; sy = h - 1 - x; break;
            case 7: sx = w - 1 - y; sy = h - 1 - x; break;
            default: sx = w - 1 - y; sy = x; break;
            }
            std::copy_n(picture.Pixel(sx, sy), 3, out);
        }
    }
    return turned;
}

}  // namespace qm
