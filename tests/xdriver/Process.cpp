// Process.cpp -- fork and exec with the child's output redirected, and waiting on it without blocking forever
#include "Process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <thread>

namespace xdriver {

namespace {

// How often a wait looks at the child again.
const std::chrono::milliseconds reapInterval(2);

ExitStatus FromWaitStatus(int waitStatus)
{
    ExitStatus status;
    if (WIFEXITED(waitStatus))
        status.code = WEXITSTATUS(waitStatus);
    else if (WIFSIGNALED(waitStatus))
        status.signal = WTERMSIG(waitStatus);
    return status;
}

// Only async-signal-safe calls between fork and exec; a failure is reported through the pipe.
[[noreturn]] void RunChild(const char* program, char* const* argv, const char* workingDirectory,
                           const char* stdoutPath, const char* stderrPath, int errorPipe)
{
    const int out = open(stdoutPath, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open(stderrPath, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out >= 0 && err >= 0 && dup2(out, STDOUT_FILENO) >= 0 && dup2(err, STDERR_FILENO) >= 0 &&
        chdir(workingDirectory) == 0)
        execv(program, argv);
    const int error = errno;
    ssize_t written = write(errorPipe, &error, sizeof error);
    (void)written;
    _exit(127);
}

}  // namespace

std::string Describe(const ExitStatus& status, std::chrono::milliseconds timeout)
{
    if (status.timedOut)
        return "still running after " + std::to_string(timeout.count()) + " ms, killed";
    if (status.signal != 0)
        return "killed by signal " + std::to_string(status.signal) + " (" + strsignal(status.signal) + ")";
    return "exited with " + std::to_string(status.code);
}

Process::Process(const std::string& program, const std::vector<std::string>& arguments,
                 const std::string& workingDirectory, const std::string& stdoutPath, const std::string& stderrPath)
{
    std::vector<std::string> words = {program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    // Closed on exec, so a read that returns nothing means the program is running.
    int errorPipe[2];
    if (pipe2(errorPipe, O_CLOEXEC) != 0)
        throw std::runtime_error(std::string("pipe: ") + strerror(errno));

    pid = fork();
    if (pid < 0) {
        const int error = errno;
        close(errorPipe[0]);
        close(errorPipe[1]);
        throw std::runtime_error(std::string("fork: ") + strerror(error));
    }
    if (pid == 0)
        RunChild(program.c_str(), argv.data(), workingDirectory.c_str(), stdoutPath.c_str(), stderrPath.c_str(),
                 errorPipe[1]);

    close(errorPipe[1]);
    int childError = 0;
    ssize_t got;
    do {
        got = read(errorPipe[0], &childError, sizeof childError);
    } while (got < 0 && errno == EINTR);
    close(errorPipe[0]);
    if (got > 0) {
        waitpid(pid, nullptr, 0);
        throw std::runtime_error("cannot start " + program + " in " + workingDirectory + ": " +
                                 strerror(childError));
    }
}

Process::~Process()
{
    Kill();
}

bool Process::Reap()
{
    if (status)
        return true;
    int waitStatus = 0;
    const pid_t got = waitpid(pid, &waitStatus, WNOHANG);
    if (got == pid)
        status = FromWaitStatus(waitStatus);
    return status.has_value();
}

bool Process::Running()
{
    return !Reap();
}

std::optional<ExitStatus> Process::WaitFor(std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!Reap()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return std::nullopt;
        // Between looks at the child: waitpid cannot wait with a timeout, and catching SIGCHLD would take the
        // signal from the whole test program.
        std::this_thread::sleep_for(reapInterval);
    }
    return status;
}

ExitStatus Process::Wait(std::chrono::milliseconds timeout)
{
    if (std::optional<ExitStatus> ended = WaitFor(timeout))
        return *ended;
    Kill();
    ExitStatus timedOut;
    timedOut.timedOut = true;
    return timedOut;
}

void Process::Kill()
{
    if (Reap())
        return;
    kill(pid, SIGKILL);
    int waitStatus = 0;
    while (waitpid(pid, &waitStatus, 0) < 0 && errno == EINTR) {
    }
    status = FromWaitStatus(waitStatus);
}

}  // namespace xdriver
