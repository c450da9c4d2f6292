// MathUtil.h -- the game's arithmetic: every sum, product and root goes through here, rounded to single precision
#pragma once

namespace MathUtil {

// A direction, force, velocity or input: two floats, no behaviour of its own.
struct Vector2 {
    float x;
    float y;
};

// Scale of GetSquareRoot's stopping test: estimates must agree in their first five decimals.
extern float squareRootAccuracy;

float Add(float a, float b);
float Subtract(float a, float b);
float Multiply(float a, float b);
// No zero test: the IEEE result stands (±infinity, NaN for 0 / 0).
float Divide(float a, float b);
float Abs(float x);

// ceil(|exponent|) factors of base multiplied left to right, never fewer than one; a negative exponent
// gives 1 / that product and a zero exponent gives 1. Beyond 2^31 - 1 factors the count saturates; a product
// that can no longer change ends the loop early, so a base within an ulp of 1 is the slowest case (~1 s).
float Pow(float base, float exponent);

// Heron's iteration from the guess 10. Negative n prints a line and returns -1; 0 and 1 return themselves.
float GetSquareRoot(int n);

Vector2 Add(Vector2 a, Vector2 b);
Vector2 Subtract(Vector2 a, Vector2 b);

// Integer distance rounded down, arguments grouped by axis: x1, x2, y1, y2.
// Exact up to a squared distance of 858,493; farther points saturate at 46,340, the root of the largest int.
int CalcDistance(int x1, int x2, int y1, int y2);

}  // namespace MathUtil
