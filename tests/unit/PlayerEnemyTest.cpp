// PlayerEnemyTest.cpp -- the player's run to a wall, steering and coasting; an enemy's side, fall and bounces
#include "Enemy.h"
#include "Player.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The player as the game builds it.
Player GamePlayer() { return Player(350, 700, 50, 700, 800, 800, 75, 0.2f, 10, 0); }

// An enemy as the game builds it, with the given draws, its side fixed so tests know where it goes.
Enemy GameEnemy(float speed, float mass, float elasticity)
{
    Enemy enemy(375, -500, 25, speed, 800, 800, mass, elasticity, 8, 10);
    enemy.speed = speed;
    return enemy;
}

}  // namespace

TEST(Player, StartsBlueWithNoPoints)
{
    const Player player = GamePlayer();
    EXPECT_EQ(0, player.points);
    EXPECT_TRUE(player.isPlayer);
    EXPECT_EQ(sf::Color::Blue, player.shape.getFillColor());
    EXPECT_EQ(100, player.diameter);
}

TEST(Player, HoldingLeftReachesTheWallBouncesAndSteersAgainOnceClear)
{
    Player player = GamePlayer();
    player.input = {-1, 0};
    for (int update = 1; update <= 67; ++update) {
        player.Draw();
        ASSERT_GT(player.posX, 0.0f) << "update " << update;
    }
    // 68th: across the wall, still moving left at full tilt (the left side has no limit).
    player.Draw();
    EXPECT_NEAR(-0.34f, player.posX, 0.01);
    EXPECT_NEAR(-10.2f, player.rigidbody->velocity.x, 0.05);
    EXPECT_FALSE(player.touchingWall);
    // 69th: the bounce throws it back inside, moving right, touching the wall.
    player.Draw();
    EXPECT_NEAR(4.12f, player.posX, 0.01);
    EXPECT_NEAR(2.06f, player.rigidbody->velocity.x, 0.01);
    EXPECT_TRUE(player.touchingWall);
    EXPECT_EQ(700.0f, player.speed) << "the player's speed keeps its sign at a wall";
    // 70th: coasting right, no push while touching.
    player.Draw();
    EXPECT_TRUE(player.touchingWall);
    EXPECT_NEAR(2.06f, player.rigidbody->velocity.x, 0.01);
    // 71st: 6.18 at the wall test, so the flag is released, but the push of this update was already skipped.
    player.Draw();
    EXPECT_FALSE(player.touchingWall);
    EXPECT_NEAR(2.06f, player.rigidbody->velocity.x, 0.01);
    // 72nd: the left push acts again.
    player.Draw();
    EXPECT_LT(player.rigidbody->velocity.x, 2.06f - 0.1f);
}

TEST(Player, NeverMovesVerticallyAndCoastsWithoutInput)
{
    Player player = GamePlayer();
    player.input = {1, 0};
    for (int update = 0; update < 30; ++update)
        player.Draw();
    const float speed = player.rigidbody->velocity.x;
    EXPECT_GT(speed, 0.0f);
    player.input = {0, 0};
    for (int update = 0; update < 10; ++update) {
        const float before = player.posX;
        player.Draw();
        EXPECT_NEAR(speed, player.posX - before, 1e-4) << "no friction";
    }
    EXPECT_EQ(700.0f, player.posY);
    EXPECT_FALSE(player.markedForRemoval);
}

TEST(Player, HoldingRightStaysNearTheRightWallAndOnTheBottom)
{
    Player player = GamePlayer();
    player.input = {1, 0};
    float nearest = 1000;
    for (int update = 0; update < 1000; ++update) {
        player.Draw();
        ASSERT_EQ(700.0f, player.posY);
        ASSERT_LE(player.posX + player.diameter, 800.0f + 10) << "update " << update;
        if (update > 200)
            nearest = std::fmin(nearest, 800 - (player.posX + player.diameter));
        EXPECT_GE(player.posX, 0.0f);
    }
    EXPECT_LT(nearest, 5.0f) << "keeps returning to the wall";
}

TEST(Enemy, StartsRedWithItsSideChosenAtRandom)
{
    int negated = 0;
    const int enemies = 2000;
    for (int i = 0; i < enemies; ++i) {
        const Enemy enemy(375, -500, 25, 321, 800, 800, 20, 0.5f, 8, 10);
        ASSERT_EQ(321.0f, std::fabs(enemy.speed));
        ASSERT_FALSE(enemy.isPlayer);
        ASSERT_FALSE(enemy.markedForRemoval);
        ASSERT_EQ(sf::Color::Red, enemy.shape.getFillColor());
        negated += enemy.speed < 0;
    }
    // Fair coin: 2000 flips land within 44% to 56% with overwhelming probability.
    EXPECT_GT(negated, enemies * 44 / 100);
    EXPECT_LT(negated, enemies * 56 / 100);
}

TEST(Enemy, FallsTenPixelsAnUpdateAndIsMarkedInItsHundredAndThirtyFirst)
{
    Enemy enemy = GameEnemy(200, 150, 0.5f);
    for (int update = 1; update <= 130; ++update) {
        enemy.Draw();
        ASSERT_EQ(-500.0f + 10 * update, enemy.posY);
        ASSERT_FALSE(enemy.markedForRemoval) << "update " << update;
    }
    EXPECT_EQ(800.0f, enemy.posY);
    enemy.Draw();
    EXPECT_TRUE(enemy.markedForRemoval);
}

TEST(Enemy, SpeedKeepsItsMagnitudeAndFlipsAtEveryWall)
{
    Enemy enemy = GameEnemy(800, 20, 1);
    int flips = 0;
    float previous = enemy.speed;
    for (int update = 0; update < 130; ++update) {
        enemy.Draw();
        ASSERT_EQ(800.0f, std::fabs(enemy.speed));
        flips += enemy.speed != previous;
        previous = enemy.speed;
    }
    EXPECT_GE(flips, 2);
}

TEST(Enemy, WithoutElasticityItSlidesDownTheWall)
{
    struct Case {
        const char* wall;
        float speed, flushPosX;
    };
    const Case cases[] = {{"left", -800, 0}, {"right", 800, 750}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wall);
        Enemy enemy = GameEnemy(c.speed, 20, 0);
        int update = 0;
        while (!enemy.touchingWall && update < 130) {
            enemy.Draw();
            ++update;
        }
        ASSERT_TRUE(enemy.touchingWall);
        enemy.Draw();
        ++update;
        // It falls out in its 131st update, wherever it touched the wall.
        while (!enemy.markedForRemoval && update < 131) {
            EXPECT_EQ(c.flushPosX, enemy.posX);
            EXPECT_EQ(0.0f, enemy.rigidbody->velocity.x);
            EXPECT_TRUE(enemy.touchingWall);
            enemy.Draw();
            ++update;
        }
        EXPECT_TRUE(enemy.markedForRemoval) << "still falling after " << update << " updates";
    }
}

TEST(Enemy, FullyElasticBounceFromBeyondTheLeftWall)
{
    // At posX -3 moving left at 6, the bounce reverses the velocity whole and the clip lands it at 2 x 6.
    Enemy enemy = GameEnemy(-300, 50, 1);
    enemy.posX = -3;
    enemy.posY = 100;
    enemy.rigidbody->velocity = {-6, 10};
    enemy.rigidbody->maxSpeedX = 8;
    // No push this update: the sideways force would change v before the wall test.
    enemy.speed = 0;
    enemy.Draw();
    EXPECT_EQ(12.0f, enemy.posX);
    EXPECT_EQ(6.0f, enemy.rigidbody->velocity.x);
}
