// Counted.h -- a program under test with the frame counter preloaded: how many frames it has presented,
// and stopping it after chosen frames so a test acts between two frames it knows by number
#pragma once

#include "Harness.h"

#include <sys/types.h>

#include <string>
#include <vector>

namespace robustness {

using namespace std::chrono_literals;

// Frames presented so far according to the counter's log; -1 if the counter never started.
int FramesIn(const std::filesystem::path& log);

// The program has stopped itself (or been stopped) and waits for SIGCONT.
bool IsStopped(pid_t pid);

// Sets an environment variable for the programs started during its life, then puts it back.
class ScopedEnv {
public:
    ScopedEnv(const std::string& name, const std::string& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name;
    std::optional<std::string> old;
};

// Frames at the pace the frame-rate limit sets, or one after another as fast as they are drawn.
enum class Pacing { real, fast };

// What the counter is told, in the environment of the programs a test starts.
std::vector<std::pair<std::string, std::string>> CounterEnvironment(const std::filesystem::path& log,
                                                                    const std::vector<int>& stopAfter,
                                                                    Pacing pacing = Pacing::real);

class CountedTest : public e2e::ProgramTest {
protected:
    void SetUp() override
    {
        if (!e2e::Launcher().empty())
            GTEST_SKIP() << "counts frames by preloading a library into a Linux program; "
                            "not into one started by " << e2e::Launcher();
    }
    // Starts the program in Dir() with the counter, stopping after each listed frame.
    void StartCounted(const e2e::Program& program, const std::vector<int>& stopAfter = {},
                      Pacing pacing = Pacing::real);
    // StartCounted, then after its first frame moves its window wholly onto the screen, so later frames can
    // be read back, and lets it go on. Stops again after each listed frame (all after the first).
    void OpenCounted(const e2e::Program& program, const std::vector<int>& stopAfter, Pacing pacing = Pacing::real);
    // Waits until it has presented at least this many frames; false if it ended first or after the timeout.
    bool WaitForFrames(int frames, std::chrono::milliseconds timeout = e2e::frameTimeout);
    // Waits until it has stopped itself; throws after the timeout or if it ended.
    void WaitUntilStopped(std::chrono::milliseconds timeout = 120s);
    void Continue();
    int Frames() const { return FramesIn(FrameLog()); }
    std::filesystem::path FrameLog() const { return Dir() / "frames.txt"; }
    std::string Stderr() const;
};

}  // namespace robustness
