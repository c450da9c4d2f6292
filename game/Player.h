// Player.h -- the blue circle the arrow keys steer along the bottom; it keeps the score
#pragma once

#include "GameObject.h"

class Player : public GameObject {
public:
    Player(int startX, int startY, int size, float speed, int areaWidth, int areaHeight,
           float mass, float elasticity, float maxSpeedX, float maxSpeedY);
    virtual ~Player() = default;

    // Pushed by input, no gravity; bounces at the walls without flipping speed.
    void Draw() override;

    int points;  // enemies that fell out without touching the player
};
