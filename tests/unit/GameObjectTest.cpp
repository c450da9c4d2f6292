// GameObjectTest.cpp -- a moving circle's wall clipping, bounce and release, centre and bottom-edge rules
#include "GameObject.h"

#include <gtest/gtest.h>

namespace {

const int areaWidth = 800;
const int areaHeight = 800;

// An enemy-sized circle (radius 25) at rest in the game's play area; its body has generous limits.
GameObject Circle(float posX, float posY = 300)
{
    GameObject object(0, 0, 25, 400, areaWidth, areaHeight, 50, 0.5f, 1000, 1000);
    object.posX = posX;
    object.posY = posY;
    return object;
}

}  // namespace

TEST(GameObject, ConstructionFillsFieldsFromArguments)
{
    const GameObject object(375, -500, 25, 333, 640, 480, 20, 0.3f, 8, 10);
    EXPECT_EQ(50, object.diameter);
    EXPECT_EQ(25, object.radius);
    EXPECT_EQ(375.0f, object.posX);
    EXPECT_EQ(-500.0f, object.posY);
    EXPECT_EQ(333.0f, object.speed);
    EXPECT_EQ(640, object.areaWidth);
    EXPECT_EQ(480, object.areaHeight);
    EXPECT_EQ(1.0f, object.direction.x);
    EXPECT_EQ(0.0f, object.direction.y);
    EXPECT_FALSE(object.touchingWall);
    EXPECT_FALSE(object.markedForRemoval);
    EXPECT_TRUE(object.awardsPoint);
    EXPECT_FALSE(object.hitPlayer);
    EXPECT_EQ(25.0f, object.shape.getRadius());
    EXPECT_EQ(30u, object.shape.getPointCount());
    EXPECT_EQ(sf::Vector2f(375, -500), object.shape.getPosition());
    // The body gets (mass, elasticity, max x, max y) in that order.
    EXPECT_EQ(20.0f, object.rigidbody->mass);
    EXPECT_EQ(0.3f, object.rigidbody->elasticity);
    EXPECT_EQ(8.0f, object.rigidbody->maxSpeedX);
    EXPECT_EQ(10.0f, object.rigidbody->maxSpeedY);
}

TEST(GameObject, ApplyVectorClipsAtTheSideWalls)
{
    struct Case {
        float posX, step, expected;
    };
    // Diameter 50 in an 800-wide area. The left test is posX - step < 0, so it also fires for small
    // steps to the right near the wall.
    const Case cases[] = {
        {3, -10, -7}, {-7, 2.03f, 4.06f}, {-7, -2, 0},  {-3, -10, -13}, {2, 5, 9},
        {745, 8, 748}, {756, 8, 750},     {756, -2, 746}, {751, 0, 750}, {0, 0, 0},
        {100, 8, 108}, {400, -10, 390},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "posX " << c.posX << ", step " << c.step);
        GameObject object = Circle(c.posX);
        object.ApplyVector({c.step, 10});
        EXPECT_NEAR(c.expected, object.posX, 1e-4);
        EXPECT_EQ(310.0f, object.posY) << "vertical motion is never clipped";
        EXPECT_EQ(sf::Vector2f(object.posX, object.posY), object.shape.getPosition());
    }
}

TEST(GameObject, ApplyVectorLeavesTheBodysVelocityAlone)
{
    GameObject object = Circle(756);
    object.rigidbody->velocity = {8, 10};
    object.ApplyVector(object.rigidbody->velocity);
    EXPECT_EQ(750.0f, object.posX);
    EXPECT_EQ(8.0f, object.rigidbody->velocity.x);
}

TEST(GameObject, CentreIsTruncatedTowardZero)
{
    GameObject beyond = Circle(-30.5f, -30.5f);
    beyond.ApplyVector({0, 0});
    EXPECT_EQ(0.0f, beyond.posX);
    EXPECT_EQ(25, beyond.centerX);
    EXPECT_EQ(-5, beyond.centerY);

    GameObject inside = Circle(3.9f, 99.9f);
    inside.ApplyVector({0, 0});
    EXPECT_EQ(28, inside.centerX);
    EXPECT_EQ(124, inside.centerY);
}

TEST(GameObject, ContactIncludesTheWallItself)
{
    struct Case {
        const char* what;
        float posX;
        bool contact;
    };
    const Case cases[] = {
        {"left edge exactly on the left wall", 0, true},
        {"left edge past the left wall", -3, true},
        {"just inside the left wall", 0.01f, false},
        {"right edge exactly on the right wall", 750, true},
        {"right edge past the right wall", 760, true},
        {"just inside the right wall", 749.99f, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameObject object = Circle(c.posX);
        object.rigidbody->velocity = {-6, 0};
        object.BounceAgainstWalls();
        EXPECT_EQ(c.contact, object.touchingWall);
        EXPECT_EQ(c.contact ? 3.0f : -6.0f, object.rigidbody->velocity.x);
        EXPECT_EQ(c.contact ? -400.0f : 400.0f, object.speed);
    }
}

TEST(GameObject, BouncesOnceUntilFiveClearOfBothWalls)
{
    GameObject object = Circle(0);
    object.rigidbody->velocity = {-6, 0};
    object.BounceAgainstWalls();
    ASSERT_TRUE(object.touchingWall);
    // Still at the wall: no second impulse, no second flip.
    for (float posX : {0.0f, -2.0f, 4.9f}) {
        SCOPED_TRACE(posX);
        object.posX = posX;
        object.BounceAgainstWalls();
        EXPECT_TRUE(object.touchingWall);
        EXPECT_EQ(3.0f, object.rigidbody->velocity.x);
        EXPECT_EQ(-400.0f, object.speed);
    }
    object.posX = 5;
    object.BounceAgainstWalls();
    EXPECT_FALSE(object.touchingWall);
}

TEST(GameObject, ReleaseNeedsFivePixelsOnEitherSide)
{
    struct Case {
        float posX;
        bool released;
    };
    const Case cases[] = {{5, true}, {4.9f, false}, {400, true}, {745, true}, {745.1f, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "posX " << c.posX);
        GameObject object = Circle(c.posX);
        object.touchingWall = true;
        object.BounceAgainstWalls();
        EXPECT_EQ(!c.released, object.touchingWall);
    }
}

TEST(GameObject, NoSidewaysPushWhileTouchingAWall)
{
    GameObject object = Circle(2);
    object.touchingWall = true;
    object.NormalMovement({1, 25});
    // x is dropped; y passes through without the speed factor: 0.016 * 25 / 50.
    EXPECT_EQ(0.0f, object.rigidbody->velocity.x);
    EXPECT_EQ(0.016f * (25.0f / 50.0f), object.rigidbody->velocity.y);

    GameObject free = Circle(400);
    free.NormalMovement({1, 0});
    EXPECT_EQ(0.016f * (400.0f / 50.0f), free.rigidbody->velocity.x);
}

TEST(GameObject, MarkedOnceItsTopReachesTheBottom)
{
    struct Case {
        float posY;
        bool isPlayer, marked;
    };
    const Case cases[] = {
        {800, false, true}, {900, false, true}, {799.5f, false, false}, {-500, false, false},
        {800, true, false}, {5000, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "posY " << c.posY << (c.isPlayer ? ", player" : ""));
        GameObject object = Circle(400, c.posY);
        object.isPlayer = c.isPlayer;
        object.BounceAgainstWalls();
        EXPECT_EQ(c.marked, object.markedForRemoval);
    }
}

TEST(GameObject, UpdateAtTheBottomEdgeFallsAndIsMarked)
{
    // Distance 0 gives an infinite pull, capped at the falling speed; the mark follows in the same update.
    GameObject object(375, 800, 25, 300, areaWidth, areaHeight, 20, 0.5f, 8, 10);
    object.Draw();
    EXPECT_EQ(10.0f, object.rigidbody->velocity.y);
    EXPECT_EQ(810.0f, object.posY);
    EXPECT_TRUE(object.markedForRemoval);
}
