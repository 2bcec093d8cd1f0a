#include "runtime/Random.h"

#include <chrono>
#include <cmath>

namespace {

std::uint32_t GeneratorState = 0;

}  // namespace

void TRandom::Seed(std::uint32_t Value) { GeneratorState = Value; }

void TRandom::SeedFromClock() {
  const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  Seed(static_cast<std::uint32_t>(ticks));
}

std::uint32_t TRandom::State() { return GeneratorState; }

std::uint32_t TRandom::Advance() {
  // Unsigned arithmetic wraps modulo 2^32, which is the generator's modulus.
  GeneratorState = GeneratorState * 134775813u + 1u;
  return GeneratorState;
}

std::uint32_t TRandom::Below(std::uint32_t Range) {
  return static_cast<std::uint32_t>((std::uint64_t{Advance()} * Range) >> 32);
}

long double TRandom::NextReal() { return std::ldexp(static_cast<long double>(Advance()), -32); }
