#include "toolkit/win/Clock.h"

#include <chrono>
#include <thread>

namespace {

class TSteadyClock : public IClock {
public:
  uint64_t Milliseconds() const override {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
  }
  void Wait(uint64_t milliseconds) override { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }
};

TSteadyClock SteadyClock;
IClock* Current = &SteadyClock;

}  // namespace

void SetClock(IClock* clock) { Current = clock ? clock : &SteadyClock; }

const IClock& Clock() { return *Current; }

DWORD GetTickCount() { return static_cast<DWORD>(Current->Milliseconds()); }

void Sleep(DWORD milliseconds) { Current->Wait(milliseconds); }
