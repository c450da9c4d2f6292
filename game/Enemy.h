// Enemy.h -- a falling red circle with a random sideways push; its update is GameObject's
#pragma once

#include "GameObject.h"

// Final: nothing derives from it, so deleting it through its own type is always whole.
class Enemy final : public GameObject {
public:
    // Picks its side, left or right with equal chance, from a random device of its own.
    Enemy(int startX, int startY, int size, float speed, int areaWidth, int areaHeight,
          float mass, float elasticity, float maxSpeedX, float maxSpeedY);
};
