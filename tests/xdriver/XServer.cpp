// XServer.cpp -- starting Xvfb with -displayfd and ending it
#include "XServer.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace xdriver {

XServer::XServer(const std::string& screen)
{
    int ready[2];
    if (pipe2(ready, O_CLOEXEC) != 0)
        throw std::runtime_error(std::string("pipe: ") + strerror(errno));
    const pid_t parent = getpid();
    pid = fork();
    if (pid < 0) {
        const int error = errno;
        close(ready[0]);
        close(ready[1]);
        throw std::runtime_error(std::string("fork: ") + strerror(error));
    }
    if (pid == 0) {
        // A test killed for its timeout takes its server with it.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent)
            _exit(1);
        // dup2 clears close-on-exec on the copy it makes.
        dup2(ready[1], 3);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        // No reset when the last client leaves: while it resets it refuses connections.
        execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", screen.c_str(), "-nolisten", "tcp", "-noreset",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ready[1]);
    char text[16] = {};
    std::size_t got = 0;
    ssize_t part;
    while (got + 1 < sizeof text && (part = read(ready[0], text + got, sizeof text - 1 - got)) != 0) {
        if (part < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        got += static_cast<std::size_t>(part);
        if (std::strchr(text, '\n'))
            break;
    }
    close(ready[0]);
    if (got == 0) {
        Kill(SIGKILL);
        throw std::runtime_error("Xvfb did not start (is it installed?)");
    }
    display = ":" + std::string(text, std::strcspn(text, "\n"));
}

XServer::~XServer()
{
    // Asked to end, it removes its socket and lock file, so a run of many tests leaves none behind.
    Kill(SIGTERM);
}

void XServer::Kill(int signal)
{
    if (pid <= 0)
        return;
    kill(pid, signal);
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
    pid = -1;
}

bool SharedDisplayRequested()
{
    const char* shared = std::getenv("PELMORA_SHARED_DISPLAY");
    const char* display = std::getenv("DISPLAY");
    return shared && *shared && display && *display;
}

}  // namespace xdriver
