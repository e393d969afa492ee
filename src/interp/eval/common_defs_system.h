#pragma once
#include "interp/eval/e_system.h"

// The system with the standard operators and built-in functions installed.
//
// Operators, in list order: "+" (xfy, 100), "-" (yfx, 100), prefix "-" (fx,
// 25), "*" (xfy, 50), "/" (yfx, 50), "prodscal" (xfx, 25). A smaller priority
// binds tighter; "-" and "/" group to the left, so a - b - c is (a - b) - c.
//
// Functions, in list order: "+", "-", "/", "*" (two arguments, linked to their
// infix operators), "-" (one argument, the negation), "sin", "abs", "zero",
// "acos", "asin", "atan", "cos", "cosh", "exp", "log", "log10", "sinh", "sqrt",
// "tan", "tanh", and "prodscal" (the scalar product of two vectors).
class CommonDefseSystem : public eSystem {
public:
  CommonDefseSystem();
};
