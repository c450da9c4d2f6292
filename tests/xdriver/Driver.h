// Driver.h -- a connection to the X server that finds a program's window, types and points at it, asks it to
// close and reads back what it shows; there is no window manager, so this plays that part too
#pragma once

#include "Image.h"

#include <chrono>
#include <functional>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>

struct _XDisplay;

namespace xdriver {

// Every failure of the driver: no window, no such key, a request the server refused.
struct Error : std::runtime_error {
    using std::runtime_error::runtime_error;
};

using WindowId = unsigned long;  // an X window

// The client area, its position on the screen.
struct Geometry {
    int x, y, width, height;
};

// Calls condition until it holds, quickly and with no sleep before the first try; false after the timeout.
bool PollUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
               std::chrono::milliseconds interval = std::chrono::milliseconds(5));

class Driver {
public:
    // Connects to $DISPLAY; throws if there is no server or it lacks XTest.
    Driver();
    // Keys it pressed stay down after it disconnects (see ReleaseHeldKeys).
    ~Driver();
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    // The topmost mapped window directly under the root titled exactly so (WM_NAME or _NET_WM_NAME), if any.
    std::optional<WindowId> FindWindow(const std::string& title);
    // Polls for it; throws after the timeout, or as soon as keepWaiting (if given) says there is no point.
    WindowId WaitForWindow(const std::string& title, std::chrono::milliseconds timeout,
                           const std::function<bool()>& keepWaiting = {});
    // Still there and mapped.
    bool IsShown(WindowId window);

    Geometry ClientGeometry(WindowId window);
    // Moves and resizes it directly, as only a window manager otherwise would.
    void Place(WindowId window, int x, int y);
    void Resize(WindowId window, int width, int height);
    // Raises it and moves it to the screen's top-left corner if anything covers it or any part is off the
    // screen, so all of it can be read back; true if it had to. It shows garbage until its program repaints.
    bool BringIntoView(WindowId window);

    // Keyboard focus to it, as a window manager gives it on a click.
    void Focus(WindowId window);
    // keysym as X names it: "Left", "Right", "Escape", "space".
    void PressKey(const std::string& keysym);
    void ReleaseKey(const std::string& keysym);
    // Releases every key this driver pressed and has not released: a key left down stays down on the
    // server for every later client.
    void ReleaseHeldKeys();
    // The pointer to a point of the client area.
    void MovePointer(WindowId window, int x, int y);
    // WM_DELETE_WINDOW, as a window manager sends when the close button is clicked.
    void RequestClose(WindowId window);

    // The client area as the screen shows it; the window must be in view (see BringIntoView).
    Image Capture(WindowId window);
    // Paints the client area one colour over whatever its program drew.
    void Paint(WindowId window, Rgb colour);
    // Paints it a colour no frame has, then waits until a capture shows none of it: the program has drawn
    // a whole new frame since. Throws after the timeout.
    Image WaitForRepaint(WindowId window, std::chrono::milliseconds timeout);

    // Waits until the server has handled every request sent so far.
    void Sync();
    // Waits until every event the requests sent so far gave the window has reached receiver, the connection of
    // this same process that made the window: a message sent to the window after them reaches it after them. The
    // message is taken off receiver's queue, so the window's program never sees it. Throws after the timeout.
    void Deliver(_XDisplay* receiver, WindowId window, std::chrono::milliseconds timeout);

private:
    void Key(const std::string& keysym, bool press);
    // Throws if the server refused a request made since the last check.
    void Check(const std::string& what);

    _XDisplay* display;
    std::set<std::string> keysHeld;
};

}  // namespace xdriver
