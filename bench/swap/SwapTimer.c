/* Times every buffer swap of a GL program from outside it, for the
 * benchmarks: LD_PRELOAD this library and each glXSwapBuffers that returns
 * writes one line, the CLOCK_MONOTONIC time in nanoseconds, to the file
 * named by ZUMBRA_SWAP_LOG (appended; the clock is the whole machine's, so
 * another process can compare it with its own). ZUMBRA_SWAP_EXIT=N ends the
 * program right after its Nth swap, before it draws anything else.
 * The program's own clock never sees any of this. */
#define _GNU_SOURCE
#include <GL/glx.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

typedef void (*SwapFunction)(Display*, GLXDrawable);

static int logFd = -2; /* -2: not opened yet, -1: no log */
static long swaps = 0;

static long long nowNs(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

void glXSwapBuffers(Display* display, GLXDrawable drawable) {
    static SwapFunction real = NULL;
    if (real == NULL) {
        real = (SwapFunction)dlsym(RTLD_NEXT, "glXSwapBuffers");
    }
    if (logFd == -2) {
        const char* path = getenv("ZUMBRA_SWAP_LOG");
        logFd = path != NULL ? open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644) : -1;
    }
    real(display, drawable);
    const long long done = nowNs();
    if (logFd >= 0) {
        dprintf(logFd, "%lld\n", done);
    }
    ++swaps;
    const char* last = getenv("ZUMBRA_SWAP_EXIT");
    if (last != NULL && swaps >= atol(last)) {
        _exit(0);
    }
}
