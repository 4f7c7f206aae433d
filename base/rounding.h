#pragma once
// Integer rounding rules used by the scaling and transition code.
#include <cstdint>

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
int roundHalfEven(double value);

// a * b / c computed in 64 bits and rounded to the nearest integer, halves away from
// zero. c == 0 gives -1, as the platform routine it replaces did.
int MulDiv(int a, int b, int c);
