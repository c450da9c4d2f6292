// HeldClock.cpp -- clock_gettime and nanosleep of this test program, standing in for the C library's on the thread
// that holds the clock. Defined in the executable, they are the ones the graphics library calls, whether it is
// linked statically or shared (the executable exports them; see CMakeLists.txt).
#include "HeldClock.h"

#include <dlfcn.h>
#include <time.h>

#include <cstddef>

namespace {

// Set only on the holding thread; a fixed table, so nothing here allocates inside the C library's calls.
thread_local bool held = false;
thread_local timespec heldAt = {};
thread_local long long sleeps[64];
thread_local std::size_t sleepCount = 0;

template <typename Function>
Function Next(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" int clock_gettime(clockid_t clock, timespec* time)
{
    using Function = int (*)(clockid_t, timespec*);
    static const Function next = Next<Function>("clock_gettime");
    if (held && clock == CLOCK_MONOTONIC) {
        *time = heldAt;
        return 0;
    }
    return next(clock, time);
}

extern "C" int nanosleep(const timespec* request, timespec* remaining)
{
    using Function = int (*)(const timespec*, timespec*);
    static const Function next = Next<Function>("nanosleep");
    if (!held)
        return next(request, remaining);
    if (sleepCount < sizeof sleeps / sizeof sleeps[0])
        sleeps[sleepCount++] = static_cast<long long>(request->tv_sec) * 1000000 + request->tv_nsec / 1000;
    return 0;
}

namespace pacing {

HeldClock::HeldClock()
{
    clock_gettime(CLOCK_MONOTONIC, &heldAt);
    sleepCount = 0;
    held = true;
}

HeldClock::~HeldClock()
{
    held = false;
}

std::vector<long long> HeldClock::Sleeps() const
{
    return std::vector<long long>(sleeps, sleeps + sleepCount);
}

}  // namespace pacing
