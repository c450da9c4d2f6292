// MathUtil.cpp -- the game's arithmetic, each operation rounded to single precision before the next
#include "MathUtil.h"

#include <climits>
#include <cmath>
#include <iostream>

namespace MathUtil {

float squareRootAccuracy = 100000;

namespace {

// Floats in [-2^31, 2^31) convert to int without overflow; 2^31 itself is exactly representable.
const float intRangeEnd = 2147483648.0f;

bool FitsInt(float value)
{
    return value >= -intRangeEnd && value < intRangeEnd;
}

// Truncation toward zero that saturates instead of overflowing (NaN becomes 0).
int TruncateToInt(float value)
{
    if (value != value)
        return 0;
    if (value >= intRangeEnd)
        return INT_MAX;
    if (value < -intRangeEnd)
        return INT_MIN;
    return static_cast<int>(value);
}

// The square-root stopping test: both estimates scaled and truncated to int must be equal.
// A scaled value beyond the int range never equals one inside it; two beyond it are never called equal.
bool AgreeToAccuracy(float next, float guess)
{
    const float a = Multiply(next, squareRootAccuracy);
    const float b = Multiply(guess, squareRootAccuracy);
    if (!FitsInt(a) || !FitsInt(b))
        return false;
    return static_cast<int>(a) == static_cast<int>(b);
}

// Largest n whose converged estimates still scale into the int range at every step.
const int largestScaledInput = 858493;

// The value Pow's counter reaches when its loop ends: the first count whose float is not below m.
long long FinalCount(float m)
{
    if (!(m <= intRangeEnd))
        return INT_MAX;
    long long count = static_cast<long long>(m) - 256;
    if (count < 1)
        count = 1;
    while (count < INT_MAX && m > static_cast<float>(count))
        ++count;
    return count;
}

// Multiplies p by base until the counter reaches m, stopping early once the product can no longer
// change (a fixed point, or a sign that merely alternates): the result is the one the full count gives.
float RepeatedProduct(float base, float m)
{
    float p = base;
    int i = 1;
    while (m > static_cast<float>(i) && i < INT_MAX) {
        const float next = Multiply(p, base);
        if (std::isnan(next) || (next == p && std::signbit(next) == std::signbit(p)))
            return next;
        if (std::fabs(next) == std::fabs(p)) {
            // Each further factor only flips the sign: its parity decides the result.
            const long long remaining = FinalCount(m) - i;
            return remaining % 2 == 1 ? next : p;
        }
        p = next;
        ++i;
    }
    return p;
}

}  // namespace

float Add(float a, float b) { return a + b; }
float Subtract(float a, float b) { return a - b; }
float Multiply(float a, float b) { return a * b; }
float Divide(float a, float b) { return a / b; }
float Abs(float x) { return x < 0 ? -x : x; }

float Pow(float base, float exponent)
{
    if (exponent < 0)
        return Divide(1, RepeatedProduct(base, Abs(exponent)));
    if (exponent == 0)
        return 1;
    return RepeatedProduct(base, exponent);
}

float GetSquareRoot(int n)
{
    if (n < 0) {
        std::cout << "sorry im not smart enough to get the square root of negative numbers" << std::endl;
        return -1;
    }
    if (n == 0 || n == 1)
        return static_cast<float>(n);

    float guess = static_cast<float>(10);
    for (int iteration = 1;; ++iteration) {
        const float next = Divide(Add(guess, Divide(static_cast<float>(n), guess)), 2);
        if (AgreeToAccuracy(next, guess))
            return next;
        // Past the stated range the scaled test can no longer decide; from the second estimate on the
        // iteration only descends, so an estimate that stops descending has converged.
        if (n > largestScaledInput && iteration > 1 && next >= guess)
            return guess;
        guess = next;
    }
}

Vector2 Add(Vector2 a, Vector2 b) { return {Add(a.x, b.x), Add(a.y, b.y)}; }
Vector2 Subtract(Vector2 a, Vector2 b) { return {Subtract(a.x, b.x), Subtract(a.y, b.y)}; }

int CalcDistance(int x1, int x2, int y1, int y2)
{
    const int dx = TruncateToInt(Subtract(static_cast<float>(x1), static_cast<float>(x2)));
    const int dy = TruncateToInt(Subtract(static_cast<float>(y1), static_cast<float>(y2)));
    const int sx = TruncateToInt(Pow(static_cast<float>(dx), 2));
    const int sy = TruncateToInt(Pow(static_cast<float>(dy), 2));
    const int s = TruncateToInt(Add(static_cast<float>(sx), static_cast<float>(sy)));
    return TruncateToInt(GetSquareRoot(s));
}

}  // namespace MathUtil
