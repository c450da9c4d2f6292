// MathUtilTest.cpp -- the arithmetic's worked values, its edges, and that it never traps
#include "MathUtil.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cmath>
#include <cstring>
#include <limits>
#include <sstream>
#include <string>

using namespace MathUtil;

namespace {

// Exact float equality that also tells -0 from +0.
::testing::AssertionResult SameFloat(float expected, float actual)
{
    std::uint32_t e, a;
    std::memcpy(&e, &expected, sizeof e);
    std::memcpy(&a, &actual, sizeof a);
    if (e == a)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "expected " << expected << " (0x" << std::hex << e << "), got "
                                         << actual << " (0x" << a << ")";
}

// Captures what GetSquareRoot writes to standard output.
struct CapturedStdout {
    CapturedStdout() : saved(std::cout.rdbuf(buffer.rdbuf())) {}
    ~CapturedStdout() { std::cout.rdbuf(saved); }
    std::string Text() const { return buffer.str(); }
    std::ostringstream buffer;
    std::streambuf* saved;
};

}  // namespace

TEST(MathUtil, BasicOperationsRoundToSingle)
{
    EXPECT_TRUE(SameFloat(0.3f, Add(0.1f, 0.2f)));
    EXPECT_TRUE(SameFloat(static_cast<float>(0.1f) - 0.3f, Subtract(0.1f, 0.3f)));
    EXPECT_TRUE(SameFloat(9.33333302f, Divide(700, 75)));
    EXPECT_TRUE(SameFloat(0.149333328f, Multiply(0.016f, Divide(700, 75))));
    // Divide by zero is not caught: the IEEE results stand.
    EXPECT_EQ(std::numeric_limits<float>::infinity(), Divide(1, 0));
    EXPECT_EQ(-std::numeric_limits<float>::infinity(), Divide(-1, 0));
    EXPECT_TRUE(std::isnan(Divide(0, 0)));
}

TEST(MathUtil, AbsLeavesNonNegativeValuesAlone)
{
    EXPECT_EQ(3.5f, Abs(-3.5f));
    EXPECT_EQ(3.5f, Abs(3.5f));
    // -0 is not below 0, so it comes back unchanged.
    EXPECT_TRUE(SameFloat(-0.0f, Abs(-0.0f)));
}

TEST(MathUtil, VectorsAddAndSubtractByComponent)
{
    const Vector2 sum = Add(Vector2{1.5f, -2}, Vector2{0.25f, 4});
    EXPECT_EQ(1.75f, sum.x);
    EXPECT_EQ(2.0f, sum.y);
    const Vector2 difference = Subtract(Vector2{1.5f, -2}, Vector2{0.25f, 4});
    EXPECT_EQ(1.25f, difference.x);
    EXPECT_EQ(-6.0f, difference.y);
}

TEST(MathUtil, PowCountsCeilingOfExponentFactors)
{
    struct Case {
        float base, exponent, expected;
    };
    const Case cases[] = {
        {7, 0, 1},     {0, 0, 1},      {7, -0.0f, 1}, {7, 1, 7},      {7, 0.5f, 7},   {2, 2.5f, 8},
        {-3, 2, 9},    {2, -1, 0.5f},  {2, -0.5f, 0.5f}, {3, 2, 9},   {2, 10, 1024},  {-2, 3, -8},
        {0, 3, 0},     {2, -11, 1.0f / 2048},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "Pow(" << c.base << ", " << c.exponent << ")");
        EXPECT_TRUE(SameFloat(c.expected, Pow(c.base, c.exponent)));
    }
}

TEST(MathUtil, PowOfTenGivesTheNearestSingles)
{
    EXPECT_TRUE(SameFloat(1e24f, Pow(10, 24)));
    EXPECT_TRUE(SameFloat(1e-11f, Pow(10, -11)));
}

TEST(MathUtil, PowTerminatesForAnyExponent)
{
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        float base, exponent, expected;
    };
    // The results are those of the full count of factors; the product settles long before it ends.
    const Case cases[] = {
        {10, 1e30f, inf},      {10, -1e30f, 0},     {0.5f, 1e30f, 0},   {2, inf, inf},
        {1, inf, 1},           {1, 3e9f, 1},        {0, 1e12f, 0},      {-1, 4, 1},
        {-1, 5, -1},           {-1, 1e6f, 1},       {-1, 1000001, -1},  {-2, 1e9f, inf},
        {-0.5f, 1e9f, 0},      {2, 1e-30f, 2},      {2, -1e-30f, 0.5f}, {-1, inf, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "Pow(" << c.base << ", " << c.exponent << ")");
        EXPECT_TRUE(SameFloat(c.expected, Pow(c.base, c.exponent)));
    }
    // A NaN exponent is neither negative nor zero: one factor, the base itself.
    EXPECT_EQ(3.0f, Pow(3, std::numeric_limits<float>::quiet_NaN()));
    EXPECT_TRUE(std::isnan(Pow(std::numeric_limits<float>::quiet_NaN(), 1e9f)));
}

TEST(MathUtil, PowKeepsTheSignOfAlternatingProducts)
{
    // Once the product has overflowed or underflowed, each further negative factor only flips its sign,
    // so the parity of the full count decides: 16777215 is odd, 1e9 even.
    EXPECT_EQ(-std::numeric_limits<float>::infinity(), Pow(-2, 16777215));
    EXPECT_EQ(std::numeric_limits<float>::infinity(), Pow(-2, 1e9f));
    EXPECT_TRUE(SameFloat(-0.0f, Pow(-1e-30f, 5)));
    EXPECT_TRUE(SameFloat(0.0f, Pow(-1e-30f, 6)));
    EXPECT_TRUE(SameFloat(-0.0f, Pow(-1e-30f, 16777215)));
    EXPECT_TRUE(SameFloat(0.0f, Pow(-1e-30f, 1e9f)));
}

TEST(MathUtil, SquareRootWorkedValues)
{
    struct Case {
        int n;
        float expected;
    };
    const Case cases[] = {
        {0, 0}, {1, 1}, {2, 1.41421354f}, {4, 2}, {100, 10}, {10000, 100}, {429397, 655.28394f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "GetSquareRoot(" << c.n << ")");
        EXPECT_TRUE(SameFloat(c.expected, GetSquareRoot(c.n)));
    }
}

TEST(MathUtil, SquareRootOfNegativeSaysSoOnceAndReturnsMinusOne)
{
    const std::string message = "sorry im not smart enough to get the square root of negative numbers\n";
    for (int n : {-1, -2, INT_MIN}) {
        SCOPED_TRACE(n);
        CapturedStdout out;
        EXPECT_EQ(-1.0f, GetSquareRoot(n));
        EXPECT_EQ(message, out.Text());
    }
    CapturedStdout quiet;
    GetSquareRoot(2);
    GetSquareRoot(0);
    EXPECT_EQ("", quiet.Text());
}

TEST(MathUtil, SquareRootIsCloseAndTruncatesToTheIntegerRootAcrossTheGamesRange)
{
    // Every input the catch test can produce, and past it to where the scaled first estimate overflows.
    for (int n = 2; n <= 858493; ++n) {
        const float root = GetSquareRoot(n);
        const double exact = std::sqrt(static_cast<double>(n));
        ASSERT_NEAR(exact, root, 0.00005) << "n = " << n;
        const int floor = static_cast<int>(exact);
        ASSERT_EQ(floor, static_cast<int>(root)) << "n = " << n;
    }
}

TEST(MathUtil, SquareRootTerminatesAndIsCorrectForEveryInt)
{
    // Beyond the range where the scaled stopping test decides: a dense sample up to INT_MAX.
    auto check = [](int n) {
        const double exact = std::sqrt(static_cast<double>(n));
        const float root = GetSquareRoot(n);
        ASSERT_NEAR(1.0, root / exact, 0.00005) << "n = " << n;
    };
    for (long long n = 858494; n <= INT_MAX; n += 9973)
        check(static_cast<int>(n));
    for (int n : {858494, 858495, 1000000, 16777216, 16777217, 461168601, 2147395600, INT_MAX - 1, INT_MAX})
        check(n);
}

TEST(MathUtil, CalcDistanceIsTheFlooredEuclideanDistance)
{
    struct Case {
        int x1, x2, y1, y2, expected;
    };
    const Case cases[] = {
        {3, 0, 4, 0, 5}, {0, 3, 0, 4, 5}, {0, 1, 0, 1, 1}, {7, 7, -3, -3, 0}, {400, 425, 750, 725, 35},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.x1 << "," << c.x2 << "," << c.y1 << "," << c.y2);
        EXPECT_EQ(c.expected, CalcDistance(c.x1, c.x2, c.y1, c.y2));
    }
}

TEST(MathUtil, CalcDistanceOverTheWholePlayArea)
{
    // Enemy centres against the player's: dx across the window and beyond, dy over the catch band.
    for (int dx = -900; dx <= 900; ++dx) {
        for (int dy = -150; dy <= 150; ++dy) {
            const int expected = static_cast<int>(std::floor(std::sqrt(double(dx) * dx + double(dy) * dy)));
            ASSERT_EQ(expected, CalcDistance(400 + dx, 400, 750 + dy, 750)) << dx << "," << dy;
        }
    }
}

TEST(MathUtil, CalcDistanceOfFarPointsSaturates)
{
    EXPECT_EQ(46340, CalcDistance(INT_MAX, INT_MIN, 0, 0));
    EXPECT_EQ(46340, CalcDistance(0, 0, INT_MIN, INT_MAX));
    EXPECT_EQ(46340, CalcDistance(100000, 0, 0, 0));
}
