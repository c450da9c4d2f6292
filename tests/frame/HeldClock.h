// HeldClock.h -- the frame-rate limiter seen from inside the test: the sleeps display() asks for, timed by a
// clock the test holds still
#pragma once

#include <vector>

namespace pacing {

// While one is alive, the monotonic clock reads the same instant on the thread that made it, and that thread's
// sleeps return at once, each one recorded. The library's limiter times a frame and sleeps on exactly these two
// calls, so with the clock held a frame takes no time and the limiter asks for the whole frame's length.
class HeldClock {
public:
    HeldClock();
    ~HeldClock();
    HeldClock(const HeldClock&) = delete;
    HeldClock& operator=(const HeldClock&) = delete;

    // Every sleep asked for since it was made, in microseconds.
    std::vector<long long> Sleeps() const;
};

}  // namespace pacing
