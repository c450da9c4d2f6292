// private_display.cpp -- runs a command on an X server of its own: private_display COMMAND [ARGUMENTS...]
// Exits with the command's status (128 + the signal if one ended it); for tests that are not GoogleTest programs.
#include "XServer.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: private_display COMMAND [ARGUMENTS...]\n";
        return 2;
    }
    if (xdriver::SharedDisplayRequested()) {
        execvp(argv[1], argv + 1);
        std::cerr << "private_display: cannot run " << argv[1] << ": " << strerror(errno) << "\n";
        return 127;
    }
    try {
        xdriver::XServer server;
        setenv("DISPLAY", server.Display().c_str(), 1);
        const pid_t child = fork();
        if (child < 0)
            throw std::runtime_error(std::string("fork: ") + strerror(errno));
        if (child == 0) {
            execvp(argv[1], argv + 1);
            std::cerr << "private_display: cannot run " << argv[1] << ": " << strerror(errno) << "\n";
            _exit(127);
        }
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        if (WIFSIGNALED(status))
            return 128 + WTERMSIG(status);
        return WEXITSTATUS(status);
    } catch (const std::exception& error) {
        std::cerr << "private_display: " << error.what() << "\n";
        return 1;
    }
}
