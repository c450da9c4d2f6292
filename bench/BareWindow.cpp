// BareWindow.cpp -- the baseline for start-up and memory: the graphics library opening a window and showing
// frames of one flat colour, nothing loaded, nothing drawn. With "draw" it also draws what the game's first frame
// has, one circle and one line of text, so the library's own cost of drawing them can be told apart from ours.
// Usage: bare_window [WIDTH HEIGHT [draw]]
#include <SFML/Graphics.hpp>

#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    const unsigned width = argc > 2 ? static_cast<unsigned>(std::atoi(argv[1])) : 800;
    const unsigned height = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 800;
    const bool draw = argc > 3 && std::strcmp(argv[3], "draw") == 0;
    sf::RenderWindow window(sf::VideoMode(width, height, 32), "Bare window", sf::Style::Default,
                            sf::ContextSettings());
    window.setFramerateLimit(60);

    sf::Font font;
    if (draw && !font.loadFromFile(PELMORA_FONT_PATH))
        return 1;
    sf::Text text("Points: 0/80", font, 50);
    sf::CircleShape circle(50.0f, 30);
    circle.setFillColor(sf::Color::Blue);
    circle.setPosition(static_cast<float>(width) / 2 - 50, static_cast<float>(height) - 100);

    sf::Event event;
    while (window.isOpen()) {
        // Handle events: only a close request ends the program
        while (window.pollEvent(event)) {
            if (event.type == sf::Event::Closed)
                window.close();
        }
        // Clear to the colour the start-up probe looks for
        window.clear(sf::Color(32, 96, 160));
        if (draw) {
            window.draw(circle);
            window.draw(text);
        }
        // Display things on screen
        window.display();
    }
    return 0;
}
