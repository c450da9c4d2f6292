// main.cpp -- demo: shows that the graphics library opens a window and draws on this machine
#include <SFML/Graphics.hpp>

int main()
{
    sf::RenderWindow window(sf::VideoMode(200, 200, 32), "SFML works!", sf::Style::Default,
                            sf::ContextSettings(0, 0, 0, 1, 1, 0, false));
    sf::CircleShape circle(100.0f, 30);
    circle.setFillColor(sf::Color::Green);
    sf::Event event;

    while (window.isOpen()) {
        // Handle events: only a close request ends the program
        while (window.pollEvent(event)) {
            if (event.type == sf::Event::Closed)
                window.close();
        }
        // Clear the window to opaque black
        window.clear(sf::Color(0, 0, 0, 255));
        // Draw the circle
        window.draw(circle, sf::RenderStates::Default);
        // Display things on screen
        window.display();
    }
    return 0;
}
