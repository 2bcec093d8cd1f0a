#include "toolkit/win/Clock.h"

#include <chrono>

namespace {

class TSteadyClock : public IClock {
public:
  uint64_t Milliseconds() const override {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
  }
};

TSteadyClock SteadyClock;
IClock* Current = &SteadyClock;

}  // namespace

void SetClock(IClock* clock) { Current = clock ? clock : &SteadyClock; }

const IClock& Clock() { return *Current; }

DWORD GetTickCount() { return static_cast<DWORD>(Current->Milliseconds()); }
