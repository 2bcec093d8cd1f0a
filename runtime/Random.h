#pragma once
// The one process-wide pseudo-random generator: a linear congruential
// generator, state := state * 134775813 + 1 (mod 2^32). The script's random
// numbers and the unscrambling of packaged library text draw from the same
// state, so reading a packaged library re-seeds the script's random numbers.

#include <cstdint>

class TRandom {
public:
  static void Seed(std::uint32_t Value);
  // The low 32 bits of a high-resolution clock.
  static void SeedFromClock();
  static std::uint32_t State();

  // Each draw advances the state once.
  // A number in 0 .. Range-1: the high half of state * Range.
  static std::uint32_t Below(std::uint32_t Range);
  // state / 2^32, in [0, 1).
  static long double NextReal();

private:
  static std::uint32_t Advance();
};
