// XInput.cpp -- libX11 and XTest calls behind XInput
#include "XInput.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <stdexcept>
#include <thread>

XInput::XInput() : display(XOpenDisplay(nullptr))
{
    if (!display)
        throw std::runtime_error("cannot open the X display");
    int event, error, major, minor;
    if (!XTestQueryExtension(display, &event, &error, &major, &minor))
        throw std::runtime_error("the X server has no XTest");
}

XInput::~XInput()
{
    XCloseDisplay(display);
}

void XInput::Focus(sf::WindowHandle window)
{
    XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime);
    Settle();
}

void XInput::Key(const std::string& keysym, bool press)
{
    const KeyCode code = XKeysymToKeycode(display, XStringToKeysym(keysym.c_str()));
    if (code == 0)
        throw std::runtime_error("no key for " + keysym);
    XTestFakeKeyEvent(display, code, press, CurrentTime);
}

void XInput::MovePointer(sf::WindowHandle window, int x, int y)
{
    int rootX, rootY;
    Window child;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &rootX, &rootY, &child);
    XTestFakeMotionEvent(display, DefaultScreen(display), rootX, rootY, CurrentTime);
}

void XInput::Close(sf::WindowHandle window)
{
    XEvent request = {};
    request.xclient.type = ClientMessage;
    request.xclient.window = window;
    request.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    request.xclient.format = 32;
    request.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    request.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &request);
}

void XInput::Settle()
{
    XSync(display, False);
    // The server writes the resulting events to the game's connection as it handles our requests;
    // give that client's socket a moment to receive them before it polls.
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
}

std::vector<sf::Color> XInput::Pixels(sf::WindowHandle window, int& width, int& height)
{
    XWindowAttributes attributes;
    XGetWindowAttributes(display, window, &attributes);
    width = attributes.width;
    height = attributes.height;
    XImage* image = XGetImage(display, window, 0, 0, width, height, AllPlanes, ZPixmap);
    if (!image)
        throw std::runtime_error("cannot read the window's pixels");
    std::vector<sf::Color> pixels;
    pixels.reserve(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            pixels.emplace_back((pixel >> 16) & 0xff, (pixel >> 8) & 0xff, pixel & 0xff);
        }
    }
    XDestroyImage(image);
    return pixels;
}
