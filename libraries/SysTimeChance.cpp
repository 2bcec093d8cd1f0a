#include "libraries/SysTimeChance.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

#include "engine/RunFlags.h"
#include "engine/RunState.h"
#include "engine/ScalarArith.h"
#include "libraries/BuiltInArgs.h"
#include "runtime/Random.h"

namespace {

// Short enough that the windows stay responsive during a wait.
constexpr long double LongestSleep = 0.005L;

void SleepFor(long double seconds) {
  std::this_thread::sleep_for(std::chrono::duration<long double>(seconds));
}

}  // namespace

long double SystemTime() {
  auto sinceOrigin = std::chrono::steady_clock::now().time_since_epoch();
  return std::chrono::duration<long double>(sinceOrigin).count();
}

long double RandomGauss(long double mu, long double sigma) {
  long double u = 0;
  long double s = 0;
  // s is never 0: that takes two draws of exactly 1/2 in a row, and the
  // state after 2^31 is 2^31 + 1.
  do {
    u = 2 * TRandom::NextReal() - 1;
    long double v = 2 * TRandom::NextReal() - 1;
    s = u * u + v * v;
  } while (s >= 1);
  return RealAdd(RealMul(std::sqrt(-2 * std::log(s) / s) * u, sigma), mu);
}

bool TSysTimeSF::Execute(TSourcePos) {
  SetResult(*this, TValue::Real(SystemTime()));
  return true;
}

bool TRandSF::Execute(TSourcePos) {
  SetResult(*this, TValue::Real(TRandom::NextReal()));
  return true;
}

bool TRandGSF::Execute(TSourcePos) {
  SetResult(*this, TValue::Real(RandomGauss(RealArg(*this, 0), RealArg(*this, 1))));
  return true;
}

// Sleeps between passes rather than spinning: the wait costs no processor
// time and still sees an abort within a few milliseconds.
bool TDelaySF::Execute(TSourcePos) {
  const long double wait = std::fabs(RealArg(*this, 0));
  if (wait == 0) return true;
  const long double start = SystemTime();
  for (;;) {
    ProcessMessages();
    if (AbortFlag) return true;
    long double left = wait - (SystemTime() - start);
    if (left <= 0) return true;
    SleepFor(std::min(left, LongestSleep));
  }
}
