// GameObject.cpp -- the update every falling circle runs, and the wall rules the player shares
#include "GameObject.h"

using namespace MathUtil;

GameObject::GameObject(int startX, int startY, int size, float speed, int areaWidth, int areaHeight,
                       float mass, float elasticity, float maxSpeedX, float maxSpeedY)
    : diameter(2 * size),
      touchingWall(false),
      posX(static_cast<float>(startX)),
      posY(static_cast<float>(startY)),
      direction{1, 0},
      radius(size),
      speed(speed),
      shape(static_cast<float>(size), 30),
      centerX(0),
      centerY(0),
      isPlayer(false),
      markedForRemoval(false),
      awardsPoint(true),
      areaWidth(areaWidth),
      areaHeight(areaHeight),
      input{0, 0},
      hitPlayer(false),
      rigidbody(std::make_unique<Rigidbody>(mass, elasticity, maxSpeedX, maxSpeedY))
{
    shape.setPosition(posX, posY);
}

void GameObject::Draw()
{
    // The distance is from the top of the bounding square to the bottom of the play area.
    rigidbody->ApplyGravity(Subtract(static_cast<float>(areaHeight), posY));
    NormalMovement(direction);
    BounceAgainstWalls();
    ApplyVector(rigidbody->velocity);
}

void GameObject::BounceAgainstWalls()
{
    const float right = Add(posX, static_cast<float>(diameter));
    const bool leftContact = posX <= 0 && !touchingWall;
    const bool rightContact = right >= static_cast<float>(areaWidth) && !touchingWall;
    if (leftContact || rightContact) {
        rigidbody->AddImpulseForce();
        touchingWall = true;
        if (!isPlayer)
            speed = -speed;
    } else if (posX >= 5 && right <= static_cast<float>(areaWidth - 5)) {
        touchingWall = false;
    }

    // Finished once the whole circle has left through the bottom.
    if (!isPlayer && posY >= static_cast<float>(areaHeight))
        markedForRemoval = true;
}

void GameObject::NormalMovement(Vector2 propulsion)
{
    propulsion.x = touchingWall ? 0 : Multiply(propulsion.x, speed);
    rigidbody->ApplyForceOverTime(propulsion);
}

void GameObject::ApplyVector(Vector2 velocity)
{
    const float width = static_cast<float>(areaWidth);
    const float right = Add(posX, static_cast<float>(diameter));
    float step = velocity.x;

    // The left test subtracts the step, so it also catches a circle near the wall moving right.
    if (Subtract(posX, step) < 0) {
        if (posX >= 0)
            step = Add(posX, step);
        else
            step = Add(Add(Abs(posX), Abs(step)), step);
    } else if (Add(step, right) > width) {
        if (width >= right)
            step = Add(Subtract(right, width), step);
        else
            step = Subtract(step, Add(Abs(Subtract(right, width)), Abs(step)));
    }

    posX = Add(posX, step);
    posY = Add(posY, velocity.y);
    shape.setPosition(posX, posY);
    centerX = static_cast<int>(Add(posX, static_cast<float>(radius)));
    centerY = static_cast<int>(Add(posY, static_cast<float>(radius)));
}
