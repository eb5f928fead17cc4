// SPDX-License-Identifier: MIT
/*
 * Hexagonal kaleidoscope: six mirror lines through every centre, twelve
 * mirrored copies of one small triangle of the piece around it, and the
 * rosettes set out on a hexagonal grid.
 *
 * The triangle has angles of 30, 60 and 90 degrees; its 30-degree corner is
 * the bottom left corner of the piece and its right angle lies on the bottom
 * edge. The converted image is one quarter of the tile's repeat, bounded by
 * mirror lines, and symmetry type 4 mirrors it into the whole tile.
 */
#include <math.h>

#include "quillmore_plugin.h"

static const double kPi = 3.14159265358979323846;
static const double kSqrt3 = 1.7320508075688772;

static int32_t pieceX;
static int32_t pieceY;

int32_t QuillmoreDLL(void)
{
    return 1;
}

/*
 * The quarter is half a grid spacing wide and sqrt(3)/2 spacings high; its
 * width in pixels keeps the piece's scale as far as the height limit allows.
 */
void MakeImageSize(int32_t x, int32_t y, int32_t* w, int32_t* h)
{
    int32_t halfSpacing = x - 1;
    if (halfSpacing > 147) {
        halfSpacing = 147;
    }
    pieceX = x;
    pieceY = y;
    *w = halfSpacing + 1;
    *h = (int32_t)lround(halfSpacing * kSqrt3) + 1;
}

static int32_t Clamp(long value, int32_t end)
{
    if (value < 0) {
        return 0;
    }
    return value >= end ? end - 1 : (int32_t)value;
}

void MakeTransMethod(int32_t w, int32_t h, int32_t i, int32_t j, int32_t* sx, int32_t* sy)
{
    /* The point in grid units: centres at (m + n/2, n * sqrt(3)/2). */
    const double px = 0.5 * i / (w - 1);
    const double py = 0.5 * kSqrt3 * j / (h - 1);

    /* The nearest centre; the quarter touches the centres (0, 0), (1, 0),
     * (-0.5, sqrt(3)/2) and (0.5, sqrt(3)/2) only. */
    static const double centres[4][2] = {
        {0.0, 0.0}, {1.0, 0.0}, {-0.5, 0.8660254037844386}, {0.5, 0.8660254037844386}};
    double dx = px;
    double dy = py;
    for (int k = 1; k < 4; ++k) {
        const double ex = px - centres[k][0];
        const double ey = py - centres[k][1];
        if (ex * ex + ey * ey < dx * dx + dy * dy) {
            dx = ex;
            dy = ey;
        }
    }

    /* Fold the direction into the wedge from 0 to 30 degrees. */
    const double wedge = kPi / 3.0;
    double angle = fmod(atan2(dy, dx), wedge);
    if (angle < 0.0) {
        angle += wedge;
    }
    if (angle > wedge / 2.0) {
        angle = wedge - angle;
    }
    const double radius = sqrt(dx * dx + dy * dy);

    /* Half a spacing on the grid is the triangle's long leg on the piece. */
    double leg = pieceX - 1;
    if (leg > (pieceY - 1) * kSqrt3) {
        leg = (pieceY - 1) * kSqrt3;
    }
    const double scale = leg / 0.5;
    *sx = Clamp(lround(radius * cos(angle) * scale), pieceX);
    *sy = Clamp(lround(radius * sin(angle) * scale), pieceY);
}

int32_t SymmetryType(void)
{
    return 4;
}
