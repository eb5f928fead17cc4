// SPDX-License-Identifier: MIT
/*
 * One source for all test plug-ins; compile definitions choose the
 * behaviour. Without any, the plug-in answers the identity: a converted
 * image of the piece's size whose cell (i, j) shows piece cell (i, j), with
 * symmetry type 1.
 *
 *   TP_IDENT=n            identification answer
 *   TP_WIDTH=n, TP_HEIGHT=n   converted image size (cell (i, j) then shows
 *                         piece cell (i mod X, j mod Y))
 *   TP_SYMMETRY=n         symmetry type answer
 *   TP_LAST_SX=n, TP_LAST_SY=n   answer for the last converted cell
 *   TP_SILENT             MakeTransMethod writes nothing
 *   TP_BOTTOM_ROW_ONLY    MakeTransMethod writes only for row 0
 *   TP_NO_SYMMETRY_EXPORT the library lacks "SymmetryType"
 *   TP_NO_IDENTIFY_EXPORT the library lacks "QuillmoreDLL"
 *
 * Every call is logged; TestLogLength and TestLogEntry read the log. The
 * calls come in the plug-in host, so with QM_TEST_PLUGIN_LOG naming a file
 * the log lives in that file, shared by every process that loads the
 * plug-in; each load starts it afresh.
 */
#define _DEFAULT_SOURCE
#include <fcntl.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <unistd.h>

#include "plugin/include/quillmore_plugin.h"

#ifndef TP_IDENT
#define TP_IDENT 1
#endif
#ifndef TP_SYMMETRY
#define TP_SYMMETRY 1
#endif

enum { kLogIdentify = 1, kLogImageSize = 2, kLogTransMethod = 3, kLogSymmetryType = 4 };
enum { kLogCapacity = 256 * 256 + 3 };

struct CallLog {
    int32_t length;
    int32_t entries[kLogCapacity][5];
};

static struct CallLog ownLog;
static struct CallLog* callLog = &ownLog;
static int32_t pieceX;
static int32_t pieceY;

__attribute__((constructor)) static void OpenLog(void)
{
    const char* path = getenv("QM_TEST_PLUGIN_LOG");
    int fd;
    void* shared;
    if (path == NULL) {
        return;
    }
    fd = open(path, O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0 || ftruncate(fd, sizeof(struct CallLog)) != 0) {
        abort();
    }
    shared = mmap(NULL, sizeof(struct CallLog), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    close(fd);
    if (shared == MAP_FAILED) {
        abort();
    }
    callLog = shared;
    callLog->length = 0;
}

__attribute__((destructor)) static void CloseLog(void)
{
    if (callLog != &ownLog) {
        munmap(callLog, sizeof(struct CallLog));
    }
}

static void Log(int32_t kind, int32_t a, int32_t b, int32_t c, int32_t d)
{
    if (callLog->length < kLogCapacity) {
        int32_t* entry = callLog->entries[callLog->length++];
        entry[0] = kind;
        entry[1] = a;
        entry[2] = b;
        entry[3] = c;
        entry[4] = d;
    }
}

#ifndef TP_NO_IDENTIFY_EXPORT
int32_t QuillmoreDLL(void)
{
    Log(kLogIdentify, 0, 0, 0, 0);
    return TP_IDENT;
}
#endif

void MakeImageSize(int32_t x, int32_t y, int32_t* w, int32_t* h)
{
    Log(kLogImageSize, x, y, 0, 0);
    pieceX = x;
    pieceY = y;
#ifdef TP_WIDTH
    *w = TP_WIDTH;
#else
    *w = x;
#endif
#ifdef TP_HEIGHT
    *h = TP_HEIGHT;
#else
    *h = y;
#endif
}

void MakeTransMethod(int32_t w, int32_t h, int32_t i, int32_t j, int32_t* sx, int32_t* sy)
{
    Log(kLogTransMethod, w, h, i, j);
#if defined(TP_SILENT)
    (void)sx;
    (void)sy;
#else
#if defined(TP_BOTTOM_ROW_ONLY)
    if (j != 0) {
        return;
    }
#endif
    *sx = i % pieceX;
    *sy = j % pieceY;
    if (i == w - 1 && j == h - 1) {
#ifdef TP_LAST_SX
        *sx = TP_LAST_SX;
#endif
#ifdef TP_LAST_SY
        *sy = TP_LAST_SY;
#endif
    }
#endif
}

#ifndef TP_NO_SYMMETRY_EXPORT
int32_t SymmetryType(void)
{
    Log(kLogSymmetryType, 0, 0, 0, 0);
    return TP_SYMMETRY;
}
#endif

QUILLMORE_EXPORT int32_t TestLogLength(void)
{
    return callLog->length;
}

/* Copies entry n (kind, then up to four arguments) to entry[0..4]. */
QUILLMORE_EXPORT void TestLogEntry(int32_t n, int32_t* entry)
{
    int k;
    for (k = 0; k < 5; ++k) {
        entry[k] = (n >= 0 && n < callLog->length) ? callLog->entries[n][k] : 0;
    }
}
