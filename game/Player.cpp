// Player.cpp -- the player's update: steering from input, walls, motion; it never feels gravity
#include "Player.h"

#include <SFML/Graphics/Color.hpp>

Player::Player(int startX, int startY, int size, float speed, int areaWidth, int areaHeight,
               float mass, float elasticity, float maxSpeedX, float maxSpeedY)
    : GameObject(startX, startY, size, speed, areaWidth, areaHeight, mass, elasticity, maxSpeedX, maxSpeedY)
{
    points = 0;
    isPlayer = true;
    shape.setFillColor(sf::Color::Blue);
}

void Player::Draw()
{
    NormalMovement(input);
    BounceAgainstWalls();
    ApplyVector(rigidbody->velocity);
}
