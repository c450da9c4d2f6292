// FrameMeter.h -- per-frame wall clock, process CPU time and heap allocations, summarised the same way for the
// game's frame and for the bare library loop it is compared with
#pragma once

#include "AllocationCounter.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

// Command line shared by both frame programs: --frames N --skip N --limit FPS --record FILE --replay FILE
// --intervals FILE. Frames before --skip warm up (shader compilation, the game's first releases) and are not
// measured.
struct FrameOptions {
    int frames = 720;
    int skip = 60;
    int limit = 60;  // frames per second handed to the library's limiter; 0 turns it off
    std::string record;
    std::string replay;
    std::string intervals;

    static FrameOptions Parse(int argc, char** argv)
    {
        FrameOptions options;
        for (int i = 1; i + 1 < argc; i += 2) {
            const std::string key = argv[i];
            const char* value = argv[i + 1];
            if (key == "--frames")
                options.frames = std::atoi(value);
            else if (key == "--skip")
                options.skip = std::atoi(value);
            else if (key == "--limit")
                options.limit = std::atoi(value);
            else if (key == "--record")
                options.record = value;
            else if (key == "--replay")
                options.replay = value;
            else if (key == "--intervals")
                options.intervals = value;
            else {
                std::cerr << "unknown option " << key << "\n";
                std::exit(2);
            }
        }
        if (argc % 2 == 0) {
            std::cerr << "options come in pairs: --name value\n";
            std::exit(2);
        }
        if (options.skip < 0 || options.frames < options.skip + 2) {
            std::cerr << "need --frames at least --skip + 2\n";
            std::exit(2);
        }
        return options;
    }
};

class FrameMeter {
public:
    explicit FrameMeter(int expectedFrames) { samples.reserve(static_cast<std::size_t>(expectedFrames)); }

    // Call right after each display, so an interval spans one whole frame including the limiter's wait.
    void FrameDone()
    {
        timespec cpu{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
        samples.push_back({std::chrono::steady_clock::now(), static_cast<double>(cpu.tv_sec) + cpu.tv_nsec * 1e-9,
                           HeapAllocationCount()});
    }

    // Prints "name value" lines for the frames from skip on; writes their intervals in ms, one a line, if asked.
    bool Report(int skip, const std::string& intervalsPath) const
    {
        const std::size_t first = static_cast<std::size_t>(skip);
        if (samples.size() < first + 2) {
            std::cerr << "only " << samples.size() << " frames ran\n";
            return false;
        }
        std::vector<double> intervals;
        std::uint64_t allocationMax = 0;
        std::size_t framesAllocating = 0;
        for (std::size_t i = first + 1; i < samples.size(); ++i) {
            intervals.push_back(std::chrono::duration<double, std::milli>(samples[i].wall - samples[i - 1].wall).count());
            const std::uint64_t made = samples[i].allocations - samples[i - 1].allocations;
            allocationMax = std::max(allocationMax, made);
            framesAllocating += made > 0 ? 1 : 0;
        }
        const double count = static_cast<double>(intervals.size());
        const Sample& a = samples[first];
        const Sample& b = samples.back();
        const double wallMs = std::chrono::duration<double, std::milli>(b.wall - a.wall).count();

        if (!intervalsPath.empty()) {
            std::ofstream out(intervalsPath);
            for (double interval : intervals)
                out << interval << "\n";
        }
        std::vector<double> sorted = intervals;
        std::sort(sorted.begin(), sorted.end());
        std::cout << "frames_measured " << intervals.size() << "\n"
                  << "cpu_ms_per_frame " << (b.cpu - a.cpu) * 1000.0 / count << "\n"
                  << "wall_ms_per_frame " << wallMs / count << "\n"
                  << "fps " << count * 1000.0 / wallMs << "\n"
                  << "interval_p50_ms " << Percentile(sorted, 0.50) << "\n"
                  << "interval_p99_ms " << Percentile(sorted, 0.99) << "\n"
                  << "interval_max_ms " << sorted.back() << "\n"
                  << "allocs_per_frame_mean " << static_cast<double>(b.allocations - a.allocations) / count << "\n"
                  << "allocs_per_frame_max " << allocationMax << "\n"
                  << "frames_allocating_share " << static_cast<double>(framesAllocating) / count << "\n";
        return true;
    }

private:
    struct Sample {
        std::chrono::steady_clock::time_point wall;
        double cpu;  // seconds of CPU used by every thread of the process
        std::uint64_t allocations;
    };

    // Nearest rank: the smallest interval that at least the given share of intervals do not exceed.
    static double Percentile(const std::vector<double>& sorted, double share)
    {
        const std::size_t rank = static_cast<std::size_t>(std::ceil(share * static_cast<double>(sorted.size())));
        return sorted[std::max<std::size_t>(rank, 1) - 1];
    }

    std::vector<Sample> samples;
};
