// fast_pacing.cpp -- preloaded into a game or demo under test: the sleep its frame-rate limiter takes after every
// frame returns at once, so frames follow each other as fast as they are drawn. For tests whose states are frame
// numbers (see the frame counter): hundreds or thousands of frames without waiting out a sixtieth of a second each.
//
// The graphics library sleeps through the C library's nanosleep, which a preload stands in for whether the library
// is linked shared or statically. Only the main thread's sleeps go: that is where the game's loop runs.
#include <dlfcn.h>
#include <time.h>
#include <unistd.h>

extern "C" int nanosleep(const timespec* request, timespec* remaining)
{
    using Sleep = int (*)(const timespec*, timespec*);
    static const Sleep next = reinterpret_cast<Sleep>(dlsym(RTLD_NEXT, "nanosleep"));
    if (gettid() == getpid())
        return 0;
    return next(request, remaining);
}
