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
 *   MB_SLEEP       sleeps QM_TEST_PLUGIN_SLEEP_MS milliseconds
 *   MB_ALLOCATE    allocates without end
 * and MB_FORK first starts a child that keeps standard error open, writes
 * "<its pid> <host pid>" to the file QM_TEST_PLUGIN_PID_FILE and waits for
 * ever; the call goes on once the file is there.
 */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include "plugin/include/quillmore_plugin.h"

static int32_t pieceX;
static int32_t pieceY;

#if defined(MB_FORK)
static void StartChild(void)
{
    const char* file = getenv("QM_TEST_PLUGIN_PID_FILE");
    int written[2];
    char done;
    if (file == NULL || pipe(written) != 0) {
        abort();
    }
    if (fork() == 0) {
        char partial[4096];
        FILE* out;
        snprintf(partial, sizeof partial, "%s.partial", file);
        out = fopen(partial, "w");
        if (out == NULL || fprintf(out, "%d %d\n", (int)getpid(), (int)getppid()) < 0 ||
            fclose(out) != 0 || rename(partial, file) != 0 || write(written[1], "", 1) != 1) {
            _exit(1);
        }
        for (;;) {
            pause();
        }
    }
    if (read(written[0], &done, 1) != 1) {
        abort();
    }
    close(written[0]);
    close(written[1]);
}
#endif

#if defined(MB_ALLOCATE)
static void* volatile allocated;
#endif

static void Misbehave(void)
{
#if defined(MB_FORK)
    StartChild();
#endif
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
#elif defined(MB_SLEEP)
    const long milliseconds = atol(getenv("QM_TEST_PLUGIN_SLEEP_MS"));
    const struct timespec length = {milliseconds / 1000, milliseconds % 1000 * 1000000};
    nanosleep(&length, NULL);
#elif defined(MB_ALLOCATE)
    for (;;) {
        char* block = malloc(64 << 20);
        block[0] = 1;
        allocated = block;
    }
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
