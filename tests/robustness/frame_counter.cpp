// frame_counter.cpp -- preloaded into a game or demo under test: counts the frames it presents, and can stop it
// after a chosen frame, so a test knows exactly which frame a program is in without touching its code.
//
// PELMORA_FRAME_LOG=path   the count of buffer swaps so far, rewritten after every swap (0 from start-up on)
// PELMORA_STOP_AFTER=n,m   the process stops itself (SIGSTOP) right after its n-th swap, and its m-th, and so
//                          on for every number in the list; SIGCONT resumes it
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

int logFile = -1;
unsigned long long swaps = 0;
// Swaps after which to stop; a fixed table, so the counter allocates nothing the leak checkers would see.
unsigned long long stopAfter[32];
int stops = 0;

void WriteCount()
{
    if (logFile < 0)
        return;
    char text[32];
    const int length = std::snprintf(text, sizeof text, "%20llu\n", swaps);
    ssize_t written = pwrite(logFile, text, static_cast<size_t>(length), 0);
    (void)written;
}

// Runs at load, before the program's main: a log reading 0 proves the counter is in place.
__attribute__((constructor)) void Start()
{
    if (const char* path = std::getenv("PELMORA_FRAME_LOG"))
        logFile = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (const char* frames = std::getenv("PELMORA_STOP_AFTER")) {
        char* next = const_cast<char*>(frames);
        while (stops < 32) {
            char* end = next;
            const unsigned long long frame = std::strtoull(next, &end, 10);
            if (end == next)
                break;
            stopAfter[stops++] = frame;
            next = *end == ',' ? end + 1 : end;
        }
    }
    WriteCount();
}

}  // namespace

// GLX's own declaration, without needing its headers: a display and a drawable (an X id).
extern "C" void glXSwapBuffers(struct _XDisplay* display, unsigned long drawable)
{
    using Swap = void (*)(struct _XDisplay*, unsigned long);
    static const Swap next = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "glXSwapBuffers"));
    next(display, drawable);
    ++swaps;
    WriteCount();
    for (int i = 0; i < stops; ++i) {
        if (stopAfter[i] == swaps)
            raise(SIGSTOP);
    }
}
