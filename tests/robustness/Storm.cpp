// Storm.cpp -- the input storm and its decoy window
#include "Storm.h"

#include <X11/Xlib.h>

#include <stdexcept>

namespace robustness {

namespace {

// Keys the game must ignore, and the two it steers with; every tap is released again.
const char* const keys[] = {"Left", "Right", "space", "a", "Escape", "Return", "Up", "Down"};

}  // namespace

Decoy::Decoy() : display(XOpenDisplay(nullptr))
{
    if (!display)
        throw std::runtime_error("cannot open the X display for the decoy window");
    // In the screen's bottom-right corner, clear of any window under test.
    const int x = DisplayWidth(display, DefaultScreen(display)) - 20;
    const int y = DisplayHeight(display, DefaultScreen(display)) - 20;
    window = XCreateSimpleWindow(display, DefaultRootWindow(display), x, y, 10, 10, 0, 0, 0);
    XMapWindow(display, window);
    XSync(display, False);
}

Decoy::~Decoy()
{
    XDestroyWindow(display, window);
    XCloseDisplay(display);
}

Storm::Storm(xdriver::Driver& x, xdriver::WindowId window, xdriver::WindowId decoy, std::uint32_t seed)
    : x(x), window(window), decoy(decoy), size(x.ClientGeometry(window)), random(seed)
{
}

void Storm::Tap(const std::string& keysym)
{
    x.PressKey(keysym);
    x.ReleaseKey(keysym);
}

void Storm::Resize()
{
    std::uniform_int_distribution<int> side(100, 1000);
    x.Resize(window, side(random), side(random));
}

void Storm::Send(int requests)
{
    std::uniform_int_distribution<int> kind(0, 99);
    std::uniform_int_distribution<int> key(0, std::size(keys) - 1);
    for (int i = 0; i < requests; ++i) {
        const int roll = kind(random);
        if (roll < 45) {
            Tap(keys[key(random)]);
        } else if (roll < 90) {
            x.MovePointer(window, roll * 7 % size.width, roll * 13 % size.height);
        } else if (roll < 95) {
            x.Focus(decoy);
            x.Focus(window);
        } else {
            Resize();
        }
    }
    x.Resize(window, size.width, size.height);
    x.Focus(window);
}

void Storm::SendKeysAndMotion(int requests)
{
    std::uniform_int_distribution<int> kind(0, 99);
    std::uniform_int_distribution<int> key(0, std::size(keys) - 1);
    for (int i = 0; i < requests; ++i) {
        const int roll = kind(random);
        if (roll < 50)
            Tap(keys[key(random)]);
        else
            x.MovePointer(window, roll * 7 % size.width, roll * 13 % size.height);
    }
}

}  // namespace robustness
