// GameObject.h -- a moving circle: position, drawable shape, wall contact, removal flags and its physics body
#pragma once

#include "MathUtil.h"
#include "Rigidbody.h"

#include <SFML/Graphics/CircleShape.hpp>

#include <memory>

class GameObject {
public:
    GameObject(int startX, int startY, int size, float speed, int areaWidth, int areaHeight,
               float mass, float elasticity, float maxSpeedX, float maxSpeedY);
    // The destructor is deliberately not virtual: every object is destroyed through its own type.

    // One frame's update: gravity, push, walls, motion. Draws nothing; the frame loop draws shape after it.
    virtual void Draw();
    // Wall contact and bounce with a 5-pixel release, then the bottom-edge mark for non-players.
    void BounceAgainstWalls();
    // Turns a propulsion vector into a force on the body; no sideways push while touching a wall.
    void NormalMovement(MathUtil::Vector2 propulsion);
    // Moves by a velocity, the horizontal step clipped at the side walls; the body keeps its velocity.
    void ApplyVector(MathUtil::Vector2 velocity);

    int diameter;                          // side of the bounding square, twice radius
    bool touchingWall;                     // in contact with a side wall: no push, no second bounce
    float posX;                            // left edge of the bounding square, and the shape's x
    float posY;                            // top edge of the bounding square, and the shape's y
    MathUtil::Vector2 direction;           // propulsion of objects that steer themselves
    int radius;                            // pixels
    float speed;                           // strength of the sideways push; flips at walls unless player
    sf::CircleShape shape;                 // what the frame loop draws
    int centerX;                           // centre, truncated toward zero; valid after the first update
    int centerY;
    bool isPlayer;                         // the player's circle: never flips speed, never falls out
    bool markedForRemoval;                 // finished: counted and removed at the end of the frame
    bool awardsPoint;                      // finishing scores a point while this holds
    int areaWidth;                         // play area, pixels from (0, 0)
    int areaHeight;
    MathUtil::Vector2 input;               // the player's steering, written before each of its updates
    bool hitPlayer;                        // has touched the player
    std::unique_ptr<Rigidbody> rigidbody;  // the body, owned
};
