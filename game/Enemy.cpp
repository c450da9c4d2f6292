// Enemy.cpp -- an enemy chooses its own side when it is made; the spawning dice never see that draw
#include "Enemy.h"

#include <SFML/Graphics/Color.hpp>

#include <random>

Enemy::Enemy(int startX, int startY, int size, float speed, int areaWidth, int areaHeight,
             float mass, float elasticity, float maxSpeedX, float maxSpeedY)
    : GameObject(startX, startY, size, speed, areaWidth, areaHeight, mass, elasticity, maxSpeedX, maxSpeedY)
{
    std::random_device device;
    std::mt19937 engine(device());
    std::uniform_int_distribution<int> side(0, 1);
    if (side(engine) == 1)
        this->speed = MathUtil::Multiply(this->speed, -1);

    markedForRemoval = false;
    isPlayer = false;
    shape.setFillColor(sf::Color::Red);
}
