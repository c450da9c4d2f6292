// XInput.h -- a test's own connection to the X server: real key and pointer input, and the pixels shown
#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/Window/WindowHandle.hpp>

#include <string>
#include <vector>

class XInput {
public:
    XInput();
    ~XInput();
    XInput(const XInput&) = delete;
    XInput& operator=(const XInput&) = delete;

    // Keyboard focus to the window, as a window manager would give it.
    void Focus(sf::WindowHandle window);
    // Press or release a key by its X name ("Left", "space"), through XTest.
    void Key(const std::string& keysym, bool press);
    // Moves the pointer to a point inside the window.
    void MovePointer(sf::WindowHandle window, int x, int y);
    // Asks the window to close, as a window manager does when its close button is clicked.
    void Close(sf::WindowHandle window);
    // Waits until the server has handled everything sent and its events have reached the other clients.
    void Settle();
    // The window's client area as the server shows it, row by row.
    std::vector<sf::Color> Pixels(sf::WindowHandle window, int& width, int& height);

private:
    struct _XDisplay* display;
};
