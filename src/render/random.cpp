#include "render/random.h"

namespace {

std::uint32_t seed = 1;

}  // namespace

namespace zavo {

int NextRandom() {
  seed = seed * 22695477u + 1u;
  return static_cast<int>((seed >> 16) & 0x7FFFu);
}

void ResetRandomGenerator() { seed = 1; }

std::uint32_t RandomSeed() { return seed; }

}  // namespace zavo

double RandomSigned() { return (zavo::NextRandom() % 20000) * 0.0001 - 1.0; }
