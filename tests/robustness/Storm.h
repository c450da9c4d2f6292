// Storm.h -- floods a window with input through the X server: keys, pointer motion, focus changes, resizes
#pragma once

#include "Driver.h"

#include <cstdint>
#include <random>
#include <string>

struct _XDisplay;

namespace robustness {

// A small window of our own that takes the keyboard focus away from the one under test.
class Decoy {
public:
    Decoy();
    ~Decoy();
    Decoy(const Decoy&) = delete;
    Decoy& operator=(const Decoy&) = delete;

    xdriver::WindowId Id() const { return window; }

private:
    _XDisplay* display;
    xdriver::WindowId window;
};

// Sends a mix of key taps (arrows, space, letters), pointer moves over the window, focus changes to the decoy
// and back, and resizes. It leaves no key held, the focus on the window and the window at its size on entry.
class Storm {
public:
    Storm(xdriver::Driver& x, xdriver::WindowId window, xdriver::WindowId decoy, std::uint32_t seed);

    // Sends this many input requests; each gives the window one event or more.
    void Send(int requests);
    // Key taps and pointer moves only, the focus staying on the window: what a player's hands can do.
    void SendKeysAndMotion(int requests);

private:
    void Tap(const std::string& keysym);
    void Resize();

    xdriver::Driver& x;
    xdriver::WindowId window;
    xdriver::WindowId decoy;
    xdriver::Geometry size;
    std::mt19937 random;
};

}  // namespace robustness
