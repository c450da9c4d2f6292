// StartupProbe.cpp -- starts a program, times process start to its first frame on screen (window mapped and the
// frame's own pixels present), keeps it running a while, closes it as a window manager would and reports its
// peak resident memory.
// Usage: startup_probe --title TITLE --expect game|demo|bare|bare-draw [--hold SECONDS] [--timeout SECONDS] -- PROGRAM ARGS...
#include "Driver.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Rgb {
    int r, g, b;
};

// The window vanishes when the program exits; a request about it then fails harmlessly.
int IgnoreXError(Display*, XErrorEvent*)
{
    return 0;
}

Window FindWindow(Display* display, Window parent, const std::string& title)
{
    Window root = 0, parentOut = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, parent, &root, &parentOut, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i) {
        char* name = nullptr;
        if (XFetchName(display, children[i], &name) && name) {
            if (title == name)
                found = children[i];
            XFree(name);
        }
    }
    if (children)
        XFree(children);
    return found;
}

bool Viewable(Display* display, Window window)
{
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

// Reads a rectangle of the window; false when it cannot be read (not viewable, gone).
bool ReadPixels(Display* display, Window window, int x, int y, unsigned w, unsigned h, std::vector<Rgb>& out)
{
    XImage* image = XGetImage(display, window, x, y, w, h, AllPlanes, ZPixmap);
    if (!image)
        return false;
    out.clear();
    for (unsigned j = 0; j < h; ++j)
        for (unsigned i = 0; i < w; ++i) {
            const unsigned long p = XGetPixel(image, static_cast<int>(i), static_cast<int>(j));
            out.push_back({static_cast<int>((p & image->red_mask) >> 16), static_cast<int>((p & image->green_mask) >> 8),
                           static_cast<int>(p & image->blue_mask)});
        }
    XDestroyImage(image);
    return true;
}

bool PixelIs(Display* display, Window window, int x, int y, bool (*test)(Rgb))
{
    std::vector<Rgb> pixel;
    return ReadPixels(display, window, x, y, 1, 1, pixel) && test(pixel[0]);
}

bool IsGreen(Rgb c) { return c.g > 200 && c.r < 60 && c.b < 60; }
bool IsBlack(Rgb c) { return c.r < 30 && c.g < 30 && c.b < 30; }
bool IsWhite(Rgb c) { return c.r > 200 && c.g > 200 && c.b > 200; }
bool IsBareColour(Rgb c) { return c.r == 32 && c.g == 96 && c.b == 160; }

// The first frame each program draws: the game's score line, the demo's green circle on
// black, the bare window's flat colour (with its text
// when it draws).
bool FirstFrameShown(Display* display, Window window, const std::string& expect)
{
    if (!Viewable(display, window))
        return false;
    if (expect == "game") {
        // The score line starts in the top-left corner; any white pixel there is a rendered glyph. (Not the player:
        // the library places the window so low that on a 1200-pixel screen its bottom is off it.)
        std::vector<Rgb> corner;
        if (!ReadPixels(display, window, 0, 0, 320, 64, corner))
            return false;
        for (const Rgb& c : corner)
            if (IsWhite(c))
                return true;
        return false;
    }
    if (expect == "bare-draw")
        return PixelIs(display, window, 790, 10, IsBareColour) && FirstFrameShown(display, window, "game");
    if (expect == "demo")
        return PixelIs(display, window, 100, 100, IsGreen) && PixelIs(display, window, 2, 2, IsBlack);
    return PixelIs(display, window, 10, 10, IsBareColour);
}

double MsBetween(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double, std::milli>(b - a).count();
}

}  // namespace

int main(int argc, char** argv)
{
    std::string title, expect = "bare";
    double holdSeconds = 1.0, timeoutSeconds = 30.0;
    int programAt = -1;
    for (int i = 1; i < argc; ++i) {
        const std::string key = argv[i];
        if (key == "--") {
            programAt = i + 1;
            break;
        }
        if (i + 1 >= argc)
            break;
        if (key == "--title")
            title = argv[++i];
        else if (key == "--expect")
            expect = argv[++i];
        else if (key == "--hold")
            holdSeconds = std::atof(argv[++i]);
        else if (key == "--timeout")
            timeoutSeconds = std::atof(argv[++i]);
    }
    if (title.empty() || programAt < 0 || programAt >= argc) {
        std::cerr << "usage: startup_probe --title TITLE --expect game|demo|bare|bare-draw [--hold S] [--timeout S] -- PROGRAM ARGS...\n";
        return 2;
    }

    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::cerr << "no X display\n";
        return 2;
    }
    XSetErrorHandler(IgnoreXError);
    const Window root = DefaultRootWindow(display);
    if (FindWindow(display, root, title)) {
        std::cerr << "a window titled " << title << " is already open\n";
        return 2;
    }

    const Clock::time_point start = Clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, argv[programAt], nullptr, nullptr, argv + programAt, environ) != 0) {
        std::cerr << "cannot start " << argv[programAt] << "\n";
        return 2;
    }

    int status = 0;
    bool exited = false;
    Window window = 0;
    double firstFrameMs = -1;
    const auto timeout = std::chrono::duration<double>(timeoutSeconds);
    while (Clock::now() - start < timeout) {
        if (waitpid(child, &status, WNOHANG) == child) {
            exited = true;
            break;
        }
        if (!window)
            window = FindWindow(display, root, title);
        if (window && FirstFrameShown(display, window, expect)) {
            firstFrameMs = MsBetween(start, Clock::now());
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }

    if (!exited) {
        std::this_thread::sleep_for(std::chrono::duration<double>(holdSeconds));
        if (window)
            xdriver::Driver().RequestClose(window);
        // A program that does not close within five seconds is stopped.
        const Clock::time_point asked = Clock::now();
        while (waitpid(child, &status, WNOHANG) != child) {
            if (Clock::now() - asked > std::chrono::seconds(5)) {
                kill(child, SIGKILL);
                waitpid(child, &status, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    XCloseDisplay(display);

    std::cout << "first_frame_ms " << firstFrameMs << "\n"
              << "peak_rss_kb " << usage.ru_maxrss << "\n"
              << "exit_status " << (WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status)) << "\n";
    return firstFrameMs >= 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : 1;
}
