// RigidbodyTest.cpp -- the body's worked values: the push to the limit, the unlimited fall left, gravity, bounces
#include "Rigidbody.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The player's body: mass 75, elasticity 0.2, limits 10 and 0.
Rigidbody PlayerBody() { return Rigidbody(75, 0.2f, 10, 0); }

}  // namespace

TEST(Rigidbody, StartsAtRestWithItsConstants)
{
    const Rigidbody body(20, 0.5f, 8, 10);
    EXPECT_EQ(20.0f, body.mass);
    EXPECT_EQ(0.5f, body.elasticity);
    EXPECT_EQ(8.0f, body.maxSpeedX);
    EXPECT_EQ(10.0f, body.maxSpeedY);
    EXPECT_EQ(0.0160000008f, body.deltaTime);
    EXPECT_EQ(6.6743e-11f, body.gravitationalConstant);
    EXPECT_EQ(5.97220026e24f, body.earthMass);
    EXPECT_EQ(0.0f, body.velocity.x);
    EXPECT_EQ(0.0f, body.velocity.y);
}

TEST(Rigidbody, PushRightClimbsToTheLimitAndStaysThere)
{
    Rigidbody body = PlayerBody();
    struct Row {
        int calls;
        float velocityX;
    };
    // 66 steps of 0.149333328 stay under 10; the 67th reaches 10.005332 and is set back to exactly 10.
    const Row rows[] = {{1, 0.149333328f}, {2, 0.298666656f}, {66, 9.85599899f}, {67, 10}, {68, 10}, {500, 10}};
    int done = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << "after " << row.calls << " calls");
        for (; done < row.calls; ++done)
            body.ApplyForceOverTime({700, 0});
        EXPECT_EQ(row.velocityX, body.velocity.x);
        EXPECT_EQ(0.0f, body.velocity.y);
    }
}

TEST(Rigidbody, PushLeftIsNeverLimited)
{
    Rigidbody body = PlayerBody();
    MathUtil::Vector2 returned{};
    for (int i = 0; i < 200; ++i)
        returned = body.ApplyForceOverTime({-700, 0});
    EXPECT_EQ(-29.8667088f, body.velocity.x);
    EXPECT_EQ(body.velocity.x, returned.x);
}

TEST(Rigidbody, LimitTestsAreStrictAndOneSided)
{
    struct Case {
        const char* what;
        float start, force, expected;
    };
    const Case cases[] = {
        {"exactly at the limit: not stepped, even by a brake", 10, -700, 10},
        {"exactly at the limit: not stepped", 10, 700, 10},
        {"above the limit: set back to it", 12, -700, 10},
        {"just below: full step, then capped", 9.9f, 700, 10},
        {"negative: full step in either direction", -50, -700, -50.0f + 0.016f * (-700.0f / 75.0f)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Rigidbody body = PlayerBody();
        body.velocity.x = c.start;
        body.ApplyForceOverTime({c.force, 0});
        EXPECT_EQ(c.expected, body.velocity.x);
    }
}

TEST(Rigidbody, ZeroVerticalLimitStopsRisesOnlyDownward)
{
    // With maxSpeedY 0 a positive vertical velocity is pulled back to 0; a negative one is left alone.
    Rigidbody falling = PlayerBody();
    falling.velocity.y = 3;
    falling.ApplyForceOverTime({0, 0});
    EXPECT_EQ(0.0f, falling.velocity.y);

    Rigidbody rising = PlayerBody();
    rising.velocity.y = -3;
    rising.ApplyForceOverTime({0, 0});
    EXPECT_EQ(-3.0f, rising.velocity.y);
}

TEST(Rigidbody, GravityTakesAnEnemyToItsFallingSpeedInOneStep)
{
    for (float mass : {20.0f, 75.0f, 150.0f}) {
        for (float distance : {1300.0f, -1300.0f, 800.0f, 1.0f, 0.0f}) {
            SCOPED_TRACE(::testing::Message() << "mass " << mass << ", distance " << distance);
            Rigidbody body(mass, 0.5f, 8, 10);
            const MathUtil::Vector2 force = body.ApplyGravity(distance);
            EXPECT_EQ(0.0f, force.x);
            EXPECT_GT(force.y, 0.0f) << "the pull always points down";
            EXPECT_EQ(10.0f, body.velocity.y);
            EXPECT_EQ(0.0f, body.velocity.x);
            // Already at the limit, it stays there.
            body.ApplyGravity(distance);
            EXPECT_EQ(10.0f, body.velocity.y);
        }
    }
}

TEST(Rigidbody, GravityAtZeroDistanceIsInfiniteButNeverNaN)
{
    Rigidbody body(75, 0.5f, 8, 10);
    const MathUtil::Vector2 force = body.ApplyGravity(0);
    EXPECT_TRUE(std::isinf(force.y));
    EXPECT_EQ(10.0f, body.velocity.y);
    EXPECT_FALSE(std::isnan(body.velocity.x));
}

TEST(Rigidbody, GravityPullIsNewtonsLawInSingles)
{
    Rigidbody body(20, 0.5f, 8, 10);
    const float expected = 6.6743e-11f * ((20.0f * 5.97220026e24f) / (1300.0f * 1300.0f));
    EXPECT_EQ(expected, body.ApplyGravity(1300).y);
}

TEST(Rigidbody, WallImpulseReversesAndDampsHorizontalSpeed)
{
    struct Case {
        float elasticity, before, after;
    };
    const Case cases[] = {{0.2f, -12, 2.4000001f}, {0, -12, 0}, {1, -12, 12}, {1, 7.5f, -7.5f}, {0.5f, 8, -4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "elasticity " << c.elasticity << ", velocity " << c.before);
        Rigidbody body(75, c.elasticity, 10, 10);
        body.velocity = {c.before, 4};
        const MathUtil::Vector2 returned = body.AddImpulseForce();
        EXPECT_EQ(c.after, body.velocity.x);
        EXPECT_EQ(4.0f, body.velocity.y);
        EXPECT_EQ(c.after, returned.x);
    }
}
