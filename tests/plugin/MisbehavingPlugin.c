// SPDX-License-Identifier: MIT
/*
 * A plug-in that answers the identity, except that one call misbehaves.
 * The compile definition MB_<KIND> chooses how, MB_IN_IDENTIFY moves the
 * misbehaviour from MakeTransMethod (cell (1, 2)) into QuillmoreDLL.
 *
 *   MB_SEGFAULT    reads from the unmapped first page
 *   MB_ABORT       calls abort()
 *   MB_EXIT=n      calls exit(n)
 *   MB_LOOP        never returns
 *   MB_STRAY_WRITE writes through a wild pointer
 *   MB_JUNK        writes junk to every descriptor above standard error
 *   MB_PRINT       prints to standard output (also in QuillmoreDLL) and
 *                  answers well
 */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include "plugin/include/quillmore_plugin.h"

static int32_t pieceX;
static int32_t pieceY;

static void Misbehave(void)
{
#if defined(MB_SEGFAULT)
    volatile uintptr_t address = 8;
    (void)*(volatile int32_t*)address;
#elif defined(MB_ABORT)
    abort();
#elif defined(MB_EXIT)
    exit(MB_EXIT);
#elif defined(MB_LOOP)
    volatile int spinning = 1;
    while (spinning) {
    }
#elif defined(MB_STRAY_WRITE)
    volatile int32_t* wild = (int32_t*)(uintptr_t)0x1000;
    *wild = 1;
#elif defined(MB_JUNK)
    int fd;
    for (fd = 3; fd < 64; ++fd) {
        if (write(fd, "junk", 4) < 0) {
            continue;
        }
    }
#elif defined(MB_PRINT)
    printf("printed by the plug-in\n");
    fflush(stdout);
#endif
}

int32_t QuillmoreDLL(void)
{
#if defined(MB_IN_IDENTIFY) || defined(MB_PRINT)
    Misbehave();
#endif
    return 1;
}

void MakeImageSize(int32_t x, int32_t y, int32_t* w, int32_t* h)
{
    pieceX = x;
    pieceY = y;
    *w = x;
    *h = y;
}

void MakeTransMethod(int32_t w, int32_t h, int32_t i, int32_t j, int32_t* sx, int32_t* sy)
{
    (void)w;
    (void)h;
#if !defined(MB_IN_IDENTIFY)
    if (i == 1 && j == 2) {
        Misbehave();
    }
#endif
    *sx = i % pieceX;
    *sy = j % pieceY;
}

int32_t SymmetryType(void)
{
    return 1;
}
