// BareLoop.cpp -- the baseline for the game's frame: the graphics library alone, in a loop of the same shape
// (events, clear, circles, one text, display), drawing the circles a game recorded, frame by frame.
#include "FrameMeter.h"

#include <SFML/Graphics.hpp>

#include <fstream>
#include <sstream>
#include <vector>

namespace {

// One frame's circle positions: the first is the player's, the others enemies'.
using Frame = std::vector<sf::Vector2f>;

std::vector<Frame> ReadRecord(const std::string& path)
{
    std::vector<Frame> frames;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        Frame frame;
        sf::Vector2f position;
        while (fields >> position.x >> position.y)
            frame.push_back(position);
        frames.push_back(frame);
    }
    return frames;
}

// Without a record: the player at rest and the most enemies a game has alive at once, spread down the window.
std::vector<Frame> StillFrame()
{
    Frame frame = {{350.0f, 700.0f}};
    for (int i = 0; i < 7; ++i)
        frame.push_back({100.0f * static_cast<float>(i), 110.0f * static_cast<float>(i)});
    return {frame};
}

}  // namespace

int main(int argc, char** argv)
{
    const FrameOptions options = FrameOptions::Parse(argc, argv);
    const std::vector<Frame> frames = options.replay.empty() ? StillFrame() : ReadRecord(options.replay);
    if (frames.empty())
        return 1;

    sf::RenderWindow window(sf::VideoMode(800, 800, 32), "Bare loop", sf::Style::Default, sf::ContextSettings());
    window.setFramerateLimit(static_cast<unsigned>(options.limit));
    sf::Font font;
    if (!font.loadFromFile(PELMORA_FONT_PATH))
        return 1;
    sf::Text text("Points: 0/80", font, 50);
    text.setFillColor(sf::Color::White);

    // One shape per circle, as a program keeping its own objects would.
    std::size_t mostCircles = 0;
    for (const Frame& frame : frames)
        mostCircles = std::max(mostCircles, frame.size());
    std::vector<sf::CircleShape> circles;
    for (std::size_t i = 0; i < std::max<std::size_t>(mostCircles, 1); ++i) {
        circles.emplace_back(i == 0 ? 50.0f : 25.0f, 30);
        circles.back().setFillColor(i == 0 ? sf::Color::Blue : sf::Color::Red);
    }

    FrameMeter meter(options.frames);
    sf::Event event;
    for (int f = 0; f < options.frames && window.isOpen(); ++f) {
        const Frame& frame = frames[static_cast<std::size_t>(f) % frames.size()];
        // Handle events: only a close request is acted on
        while (window.pollEvent(event)) {
            if (event.type == sf::Event::Closed)
                window.close();
        }
        // Clear the window to opaque black
        window.clear(sf::Color(0, 0, 0, 255));
        // Draw the circles where the game had them
        for (std::size_t i = 0; i < frame.size(); ++i) {
            circles[i].setPosition(frame[i]);
            window.draw(circles[i]);
        }
        // Draw the one text
        window.draw(text);
        // Display things on screen; the frame-rate limit waits here
        window.display();
        meter.FrameDone();
    }
    return meter.Report(options.skip, options.intervals) ? 0 : 1;
}
