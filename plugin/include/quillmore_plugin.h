// SPDX-License-Identifier: MIT
/*
 * Quillmore plug-in interface.
 *
 * A plug-in is a shared library (.so) that tells Quillmore how to turn a cut
 * piece of a picture into a pattern tile. It exports exactly the four
 * functions below, with C linkage and these names. Quillmore calls them only
 * while it prepares a run, one after another on one thread, in this order:
 *
 *     QuillmoreDLL, MakeImageSize, MakeTransMethod (W * H times), SymmetryType
 *
 * and releases the library again before the first tile is made; every tile of
 * the run is built from the answers of that one preparation. Answers out of
 * the limits below end the run with an error message.
 *
 * The calls are made in a helper process of Quillmore (quillmore-plugin-host),
 * never in the program itself; what the library prints to standard output
 * goes to standard error. A library that crashes, exits or takes longer than
 * 10 seconds for a whole preparation ends the run with an error message.
 *
 * Coordinates: a cell (column, row) counts columns from the left and rows from
 * the bottom, both from 0. Row 0 is the bottom row of the picture as shown.
 * This holds for the piece (X by Y cells) and for the converted image (W by H).
 *
 * Build a plug-in with, for example:
 *     g++ -shared -fPIC -O2 -I<quillmore>/plugin/include myplugin.cpp -o myplugin.so
 */
#ifndef QUILLMORE_PLUGIN_H
#define QUILLMORE_PLUGIN_H

#include <stdint.h>

#if defined(__GNUC__)
#define QUILLMORE_EXPORT __attribute__((visibility("default")))
#else
#define QUILLMORE_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

/*
 * Identification: return 1. Any other answer makes Quillmore refuse the
 * library.
 */
QUILLMORE_EXPORT int32_t QuillmoreDLL(void);

/*
 * For a piece of x by y pixels (x even, 32 to 256; y 32 to 256), write the
 * size of the converted image to *w and *h. Both must lie in 32..256.
 */
QUILLMORE_EXPORT void MakeImageSize(int32_t x, int32_t y, int32_t* w, int32_t* h);

/*
 * For the cell (i, j) of the converted image (0 <= i < w, 0 <= j < h, w and h
 * as MakeImageSize answered), write the piece cell whose pixel it shows to
 * *sx and *sy, with 0 <= *sx < x and 0 <= *sy < y. Quillmore asks column by
 * column: i = 0 with j = 0 .. h-1, then i = 1, and so on. A call that writes
 * nothing repeats the previous answer (the first answer starts at (0, 0)).
 */
QUILLMORE_EXPORT void MakeTransMethod(int32_t w, int32_t h, int32_t i, int32_t j, int32_t* sx,
                                      int32_t* sy);

/*
 * How the converted image becomes the tile:
 *   1  none: the tile is the converted image (w by h); it must repeat on its
 *      own without a seam;
 *   2  mirrored left to right: 2w-2 by h, the right column is the mirror axis;
 *   3  mirrored top to bottom: w by 2h-2, the bottom row is the mirror axis;
 *   4  mirrored both ways: 2w-2 by 2h-2.
 * The edge columns and rows are not doubled, so mirrored tiles laid side by
 * side continue the pattern across the seams.
 */
QUILLMORE_EXPORT int32_t SymmetryType(void);

#ifdef __cplusplus
}
#endif

#endif /* QUILLMORE_PLUGIN_H */
