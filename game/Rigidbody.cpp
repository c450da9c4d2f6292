// Rigidbody.cpp -- force integration with a fixed step, Newtonian pull toward the bottom edge, wall impulse
#include "Rigidbody.h"

using namespace MathUtil;

Rigidbody::Rigidbody(float mass, float elasticity, float maxSpeedX, float maxSpeedY)
    : mass(mass),
      maxSpeedX(maxSpeedX),
      maxSpeedY(maxSpeedY),
      deltaTime(0.016f),
      elasticity(elasticity),
      gravitationalConstant(Multiply(6.6743f, Pow(10, -11))),
      earthMass(Multiply(5.9722f, Pow(10, 24))),
      velocity{0, 0}
{
}

namespace {

// One axis of a time step: strict tests against the limit's magnitude, so the cap is an upper bound only.
void StepComponent(float& component, float acceleration, float limit, float deltaTime)
{
    if (component < Abs(limit))
        component = Add(Multiply(deltaTime, acceleration), component);
    if (component > Abs(limit))
        component = limit;
}

}  // namespace

Vector2 Rigidbody::ApplyForceOverTime(Vector2 force)
{
    const float ax = Divide(force.x, mass);
    const float ay = Divide(force.y, mass);
    StepComponent(velocity.x, ax, maxSpeedX, deltaTime);
    StepComponent(velocity.y, ay, maxSpeedY, deltaTime);
    return velocity;
}

Vector2 Rigidbody::ApplyGravity(float distance)
{
    const float distanceSquared = Pow(distance, 2);
    const float pull = Multiply(gravitationalConstant, Divide(Multiply(mass, earthMass), distanceSquared));
    const Vector2 force = {0, pull};
    ApplyForceOverTime(force);
    return force;
}

Vector2 Rigidbody::AddImpulseForce()
{
    velocity.x = Multiply(-elasticity, velocity.x);
    return velocity;
}
