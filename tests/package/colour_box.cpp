// colour_box.cpp -- prints the box "X0 Y0 X1 Y1" (inclusive) around the pixels of one exact colour in a PNG;
// exits 1 when there are none, 2 on bad arguments or an unreadable image.
#include <SFML/Graphics/Image.hpp>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: colour_box FILE.png R G B\n");
        return 2;
    }
    sf::Image image;
    if (!image.loadFromFile(argv[1]))
        return 2;
    const sf::Color wanted(static_cast<sf::Uint8>(std::atoi(argv[2])), static_cast<sf::Uint8>(std::atoi(argv[3])),
                           static_cast<sf::Uint8>(std::atoi(argv[4])));
    const sf::Vector2u size = image.getSize();
    unsigned x0 = size.x, y0 = size.y, x1 = 0, y1 = 0;
    bool found = false;
    for (unsigned y = 0; y < size.y; ++y) {
        for (unsigned x = 0; x < size.x; ++x) {
            const sf::Color pixel = image.getPixel(x, y);
            if (pixel.r != wanted.r || pixel.g != wanted.g || pixel.b != wanted.b)
                continue;
            found = true;
            x0 = std::min(x0, x);
            y0 = std::min(y0, y);
            x1 = std::max(x1, x);
            y1 = std::max(y1, y);
        }
    }
    if (!found)
        return 1;
    std::printf("%u %u %u %u\n", x0, y0, x1, y1);
    return 0;
}
