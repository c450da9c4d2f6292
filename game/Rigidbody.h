// Rigidbody.h -- a moving circle's physics: velocity under a force, one-sided speed limits, gravity, wall bounce
#pragma once

#include "MathUtil.h"

class Rigidbody {
public:
    Rigidbody(float mass, float elasticity, float maxSpeedX, float maxSpeedY);

    // One time step of force; the limits cap only positive components (a negative one grows unbounded).
    MathUtil::Vector2 ApplyForceOverTime(MathUtil::Vector2 force);
    // One time step of the pull toward the bottom, always along +y; distance 0 gives infinity, capped at maxSpeedY.
    MathUtil::Vector2 ApplyGravity(float distance);
    // Wall bounce: horizontal velocity reversed and scaled by elasticity.
    MathUtil::Vector2 AddImpulseForce();

    float mass;                   // divides every force, multiplies the pull
    float maxSpeedX;              // upper limit of velocity.x, pixels per frame
    float maxSpeedY;              // upper limit of velocity.y, pixels per frame
    float deltaTime;              // fixed time step per frame
    float elasticity;             // share of horizontal speed kept, reversed, at a wall
    float gravitationalConstant;  // G
    float earthMass;              // mass of the attracting body
    MathUtil::Vector2 velocity;   // pixels per frame, added to the owner's position each update
};
