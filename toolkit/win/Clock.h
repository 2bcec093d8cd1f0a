#pragma once
// The time that timers and message times run on. The window core reads
// milliseconds from an injectable clock, so tests advance time by hand.

#include <cstdint>

#include "toolkit/base/Handles.h"

class IClock {
public:
  virtual ~IClock() = default;
  virtual uint64_t Milliseconds() const = 0;
};

// Time that moves only when told to.
class TFakeClock : public IClock {
public:
  uint64_t Milliseconds() const override { return now_; }
  void Advance(uint64_t milliseconds) { now_ += milliseconds; }

private:
  uint64_t now_ = 1000;
};

// Installs a clock (nullptr: the steady system clock); the caller keeps ownership.
void SetClock(IClock* clock);
const IClock& Clock();
DWORD GetTickCount();
