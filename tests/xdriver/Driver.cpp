// Driver.cpp -- the libX11 and XTest calls behind Driver
#include "Driver.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <fcntl.h>
#include <poll.h>

#include <cstring>
#include <memory>
#include <thread>
#include <vector>

namespace xdriver {

namespace {

// The first error the server reported since the last check; Xlib's own handler would end the process,
// and a window vanishing under us is an ordinary event for a test.
int pendingError = Success;

int RecordError(Display*, XErrorEvent* event)
{
    if (pendingError == Success)
        pendingError = event->error_code;
    return 0;
}

// A colour no frame of the game or the demo contains: not grey, and no channel at 0 or 255.
const Rgb unpainted = {1, 2, 3};

// One channel of a TrueColor pixel: where its mask sits and how wide it is.
struct Channel {
    int shift = 0;
    unsigned long maximum = 0;

    explicit Channel(unsigned long mask)
    {
        while (mask != 0 && (mask & 1) == 0) {
            mask >>= 1;
            ++shift;
        }
        maximum = mask;
    }
    std::uint8_t Read(unsigned long pixel) const
    {
        if (maximum == 0)
            return 0;
        if (maximum == 255)
            return static_cast<std::uint8_t>((pixel >> shift) & maximum);
        return static_cast<std::uint8_t>(((pixel >> shift) & maximum) * 255 / maximum);
    }
    unsigned long Write(std::uint8_t value) const { return (value * maximum / 255) << shift; }
};

// LSBFirst or MSBFirst, as X names the byte orders.
int NativeByteOrder()
{
    const std::uint16_t one = 1;
    std::uint8_t first = 0;
    std::memcpy(&first, &one, 1);
    return first == 1 ? LSBFirst : MSBFirst;
}

std::string HexId(WindowId window)
{
    char text[32];
    snprintf(text, sizeof text, "0x%lx", window);
    return text;
}

// Root's children, bottom of the stacking order first.
std::vector<Window> TopLevelWindows(Display* display)
{
    Window root, parent;
    Window* children = nullptr;
    unsigned int count = 0;
    std::vector<Window> windows;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) != 0)
        windows.assign(children, children + count);
    if (children)
        XFree(children);
    return windows;
}

bool Viewable(Display* display, Window window, XWindowAttributes& attributes)
{
    return XGetWindowAttributes(display, window, &attributes) != 0 && attributes.map_state == IsViewable;
}

bool HasTitle(Display* display, Window window, const std::string& title)
{
    char* name = nullptr;
    bool matches = false;
    if (XFetchName(display, window, &name) != 0 && name) {
        matches = title == name;
        XFree(name);
    }
    if (matches)
        return true;

    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type;
    int format;
    unsigned long count, remaining;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count, &remaining,
                           &data) == Success &&
        data) {
        matches = type == utf8 && format == 8 && title == std::string(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    return matches;
}

// A message Deliver sends after everything else, told apart by its type and number.
struct Marker {
    Atom type;
    long number;
};

Bool IsMarker(Display*, XEvent* event, XPointer argument)
{
    const Marker& marker = *reinterpret_cast<const Marker*>(argument);
    return event->type == ClientMessage && event->xclient.message_type == marker.type &&
                   event->xclient.data.l[0] == marker.number
               ? True
               : False;
}

}  // namespace

bool PollUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
               std::chrono::milliseconds interval)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        // Between tries of a condition on what other programs show or write (pixels, windows, files): the X server
        // sends no event when another client draws, so there is nothing to wait on but the next try.
        std::this_thread::sleep_for(interval);
    }
    return true;
}

Driver::Driver() : display(XOpenDisplay(nullptr))
{
    if (!display)
        throw Error("cannot open the X display \"" + std::string(XDisplayName(nullptr)) + "\"");
    // The programs we start must not inherit our connection.
    fcntl(ConnectionNumber(display), F_SETFD, FD_CLOEXEC);
    XSetErrorHandler(RecordError);
    int event, error, major, minor;
    if (!XTestQueryExtension(display, &event, &error, &major, &minor)) {
        XCloseDisplay(display);
        throw Error("the X server has no XTest extension");
    }
}

Driver::~Driver()
{
    XCloseDisplay(display);
}

void Driver::Sync()
{
    XSync(display, False);
}

void Driver::Deliver(_XDisplay* receiver, WindowId window, std::chrono::milliseconds timeout)
{
    static long markers = 0;
    Marker marker = {XInternAtom(display, "PELMORA_DELIVERED", False), ++markers};
    XEvent message = {};
    message.xclient.type = ClientMessage;
    message.xclient.window = window;
    message.xclient.message_type = marker.type;
    message.xclient.format = 32;
    message.xclient.data.l[0] = marker.number;
    // No event mask: the server gives it to the client that made the window, in order with the rest.
    XSendEvent(display, window, False, NoEventMask, &message);
    Check("cannot send a marker to window " + HexId(window));

    const auto deadline = std::chrono::steady_clock::now() + timeout;
    XEvent got;
    // Reads whatever the receiver's socket holds into its queue; until the marker is among it, waits for more.
    while (XCheckIfEvent(receiver, &got, IsMarker, reinterpret_cast<XPointer>(&marker)) == False) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            throw Error("events sent to window " + HexId(window) + " not delivered within " +
                        std::to_string(timeout.count()) + " ms");
        pollfd socket = {ConnectionNumber(receiver), POLLIN, 0};
        poll(&socket, 1, static_cast<int>(left.count()));
    }
}

void Driver::Check(const std::string& what)
{
    XSync(display, False);
    if (pendingError == Success)
        return;
    char text[256];
    XGetErrorText(display, pendingError, text, sizeof text);
    pendingError = Success;
    throw Error(what + ": " + text);
}

std::optional<WindowId> Driver::FindWindow(const std::string& title)
{
    const std::vector<Window> windows = TopLevelWindows(display);
    std::optional<WindowId> found;
    for (auto window = windows.rbegin(); window != windows.rend() && !found; ++window) {
        XWindowAttributes attributes;
        if (Viewable(display, *window, attributes) && HasTitle(display, *window, title))
            found = *window;
    }
    // Windows that vanished during the search are no error.
    XSync(display, False);
    pendingError = Success;
    return found;
}

WindowId Driver::WaitForWindow(const std::string& title, std::chrono::milliseconds timeout,
                               const std::function<bool()>& keepWaiting)
{
    std::optional<WindowId> found;
    bool gaveUp = false;
    PollUntil(
        [&] {
            found = FindWindow(title);
            gaveUp = !found && keepWaiting && !keepWaiting();
            return found || gaveUp;
        },
        timeout);
    if (!found)
        throw Error("no window titled \"" + title + "\"" +
                    (gaveUp ? std::string(" and no point waiting longer")
                            : " after " + std::to_string(timeout.count()) + " ms"));
    return *found;
}

bool Driver::IsShown(WindowId window)
{
    XWindowAttributes attributes;
    const bool shown = Viewable(display, window, attributes);
    XSync(display, False);
    pendingError = Success;
    return shown;
}

Geometry Driver::ClientGeometry(WindowId window)
{
    XWindowAttributes attributes;
    XGetWindowAttributes(display, window, &attributes);
    int x = 0, y = 0;
    Window child;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
    Check("cannot read the geometry of window " + HexId(window));
    return {x, y, attributes.width, attributes.height};
}

void Driver::Place(WindowId window, int x, int y)
{
    XMoveWindow(display, window, x, y);
    Check("cannot move window " + HexId(window));
}

void Driver::Resize(WindowId window, int width, int height)
{
    XResizeWindow(display, window, static_cast<unsigned>(width), static_cast<unsigned>(height));
    Check("cannot resize window " + HexId(window));
}

bool Driver::BringIntoView(WindowId window)
{
    const Geometry client = ClientGeometry(window);
    const int screenWidth = DisplayWidth(display, DefaultScreen(display));
    const int screenHeight = DisplayHeight(display, DefaultScreen(display));
    const bool onScreen = client.x >= 0 && client.y >= 0 && client.x + client.width <= screenWidth &&
                          client.y + client.height <= screenHeight;
    Box area = onScreen ? Box{client.x, client.y, client.x + client.width - 1, client.y + client.height - 1}
                        : Box{0, 0, client.width - 1, client.height - 1};

    bool covered = false;
    bool above = false;
    for (Window other : TopLevelWindows(display)) {
        XWindowAttributes attributes;
        if (other == window) {
            above = true;
        } else if (above && Viewable(display, other, attributes) && attributes.c_class == InputOutput) {
            const Box box = {attributes.x, attributes.y, attributes.x + attributes.width - 1,
                             attributes.y + attributes.height - 1};
            covered = covered || box.Overlaps(area);
        }
    }
    XSync(display, False);
    pendingError = Success;
    if (onScreen && !covered)
        return false;
    if (!onScreen)
        XMoveWindow(display, window, 0, 0);
    XRaiseWindow(display, window);
    Check("cannot bring window " + HexId(window) + " into view");
    return true;
}

void Driver::Focus(WindowId window)
{
    XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime);
    Check("cannot focus window " + HexId(window));
}

void Driver::Key(const std::string& keysym, bool press)
{
    const KeySym symbol = XStringToKeysym(keysym.c_str());
    if (symbol == NoSymbol)
        throw Error("no keysym named \"" + keysym + "\"");
    const KeyCode code = XKeysymToKeycode(display, symbol);
    if (code == 0)
        throw Error("no key on this keyboard gives \"" + keysym + "\"");
    XTestFakeKeyEvent(display, code, press ? True : False, CurrentTime);
    Check("cannot send key " + keysym);
    if (press)
        keysHeld.insert(keysym);
    else
        keysHeld.erase(keysym);
}

void Driver::PressKey(const std::string& keysym)
{
    Key(keysym, true);
}

void Driver::ReleaseKey(const std::string& keysym)
{
    Key(keysym, false);
}

void Driver::ReleaseHeldKeys()
{
    const std::set<std::string> held = keysHeld;
    for (const std::string& keysym : held)
        ReleaseKey(keysym);
}

void Driver::MovePointer(WindowId window, int x, int y)
{
    int rootX = 0, rootY = 0;
    Window child;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &rootX, &rootY, &child);
    XTestFakeMotionEvent(display, DefaultScreen(display), rootX, rootY, CurrentTime);
    Check("cannot move the pointer over window " + HexId(window));
}

void Driver::RequestClose(WindowId window)
{
    XEvent request = {};
    request.xclient.type = ClientMessage;
    request.xclient.window = window;
    request.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    request.xclient.format = 32;
    request.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    request.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &request);
    Check("cannot send a close request to window " + HexId(window));
}

Image Driver::Capture(WindowId window)
{
    XWindowAttributes attributes;
    XGetWindowAttributes(display, window, &attributes);
    Check("cannot read window " + HexId(window));
    // XDestroyImage is a macro, hence the lambda.
    auto destroy = [](XImage* image) { XDestroyImage(image); };
    std::unique_ptr<XImage, decltype(destroy)> pixels(
        XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                  static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap),
        destroy);
    XSync(display, False);
    pendingError = Success;
    if (!pixels)
        throw Error("cannot read the pixels of window " + HexId(window) + " (is all of it on the screen?)");

    const Channel r(pixels->red_mask), g(pixels->green_mask), b(pixels->blue_mask);
    // XGetPixel for each pixel makes a capture too slow to see every few frames under a sanitizer; the
    // 32-bit pixels a 24-bit TrueColor screen sends in our own byte order are read directly instead.
    const bool direct = pixels->bits_per_pixel == 32 && pixels->byte_order == NativeByteOrder();
    std::vector<Rgb> rgb(static_cast<std::size_t>(attributes.width) * attributes.height);
    Rgb* out = rgb.data();
    for (int y = 0; y < attributes.height; ++y) {
        const char* row = pixels->data + static_cast<std::ptrdiff_t>(y) * pixels->bytes_per_line;
        for (int x = 0; x < attributes.width; ++x, ++out) {
            std::uint32_t word = 0;
            if (direct)
                std::memcpy(&word, row + 4 * x, sizeof word);
            const unsigned long pixel = direct ? word : XGetPixel(pixels.get(), x, y);
            *out = {r.Read(pixel), g.Read(pixel), b.Read(pixel)};
        }
    }
    return Image(attributes.width, attributes.height, std::move(rgb));
}

void Driver::Paint(WindowId window, Rgb colour)
{
    XWindowAttributes attributes;
    XGetWindowAttributes(display, window, &attributes);
    Check("cannot read window " + HexId(window));
    const Channel r(attributes.visual->red_mask), g(attributes.visual->green_mask), b(attributes.visual->blue_mask);
    GC gc = XCreateGC(display, window, 0, nullptr);
    XSetForeground(display, gc, r.Write(colour.r) | g.Write(colour.g) | b.Write(colour.b));
    XFillRectangle(display, window, gc, 0, 0, static_cast<unsigned>(attributes.width),
                   static_cast<unsigned>(attributes.height));
    XFreeGC(display, gc);
    Check("cannot paint window " + HexId(window));
}

Image Driver::WaitForRepaint(WindowId window, std::chrono::milliseconds timeout)
{
    Paint(window, unpainted);
    std::optional<Image> frame;
    const bool repainted = PollUntil(
        [&] {
            frame = Capture(window);
            return !BoundsOf(*frame, unpainted);
        },
        timeout);
    if (!repainted)
        throw Error("window " + HexId(window) + " not repainted within " + std::to_string(timeout.count()) + " ms");
    return *frame;
}

}  // namespace xdriver
