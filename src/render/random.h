#pragma once

// The renderers' random numbers: one generator for the whole program, seeded
// with 1 at start and never reseeded by a render, so that a sequence of renders
// is repeatable within one run. Not thread-safe (renders run on one thread).

#include <cstdint>

// (r mod 20000) x 0.0001 - 1 with r the next number of the generator: a value
// in [-1, 0.9999].
double RandomSigned();

namespace zavo {

// The next number of the generator: seed := seed x 22695477 + 1 (mod 2^32),
// then bits 16 to 30 of the seed (0 .. 32767).
int NextRandom();
// Sets the seed back to 1, as at program start. For tests.
void ResetRandomGenerator();
// The seed now. For tests.
std::uint32_t RandomSeed();

}  // namespace zavo
