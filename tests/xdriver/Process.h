// Process.h -- a program started for a test: its own working directory, its output in files, its end awaited
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace xdriver {

// How a program ended.
struct ExitStatus {
    bool timedOut = false;  // still running when the wait ran out, and killed for it
    int code = -1;          // exit status when it exited by itself, else -1
    int signal = 0;         // the signal that ended it, else 0
};

// "exited with 0", "killed by signal 11", "still running after 2000 ms, killed"
std::string Describe(const ExitStatus& status, std::chrono::milliseconds timeout);

class Process {
public:
    // Runs program with arguments in workingDirectory, stdout and stderr written to the two files.
    // Throws if the program cannot be started.
    Process(const std::string& program, const std::vector<std::string>& arguments,
            const std::string& workingDirectory, const std::string& stdoutPath, const std::string& stderrPath);
    // A program still running is killed, so no test leaves one behind.
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    pid_t Pid() const { return pid; }
    bool Running();
    // The exit status if it ends within the timeout; nothing if it is still running (and left running).
    std::optional<ExitStatus> WaitFor(std::chrono::milliseconds timeout);
    // The exit status; a program still running after the timeout is killed and reported as timed out.
    ExitStatus Wait(std::chrono::milliseconds timeout);
    void Kill();

private:
    // Reaps the child if it has ended; true once it has.
    bool Reap();

    pid_t pid;
    std::optional<ExitStatus> status;  // set once reaped
};

}  // namespace xdriver
