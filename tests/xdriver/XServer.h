// XServer.h -- a private virtual X server (Xvfb) for one test program or command, so tests that show windows
// and type into them can run side by side without covering each other's windows or stealing each other's keys
#pragma once

#include <sys/types.h>

#include <string>

namespace xdriver {

class XServer {
public:
    // Starts Xvfb on a display it picks itself and waits until it accepts clients (it writes the number only
    // then). The screen is tall enough for a whole 800 x 800 window where the graphics library places it
    // (SFML 2.5 centres it by the screen's width on both axes). Throws if it does not start.
    explicit XServer(const std::string& screen = "1920x1440x24");
    // Ends it, if still running.
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    // ":12", as DISPLAY takes it.
    const std::string& Display() const { return display; }
    // Ends it with this signal and waits for it.
    void Kill(int signal);
    // Leaves it running until this process has ended, when it ends too: the graphics library still talks to it
    // while the process exits.
    void EndWithThisProcess() { pid = -1; }

private:
    pid_t pid = -1;
    std::string display;
};

// True when PELMORA_SHARED_DISPLAY asks the tests to use the X server in DISPLAY rather than one of their own.
bool SharedDisplayRequested();

}  // namespace xdriver
