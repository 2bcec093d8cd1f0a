#pragma once
// The time that timers and message times run on. The window core reads
// milliseconds from an injectable clock, so tests advance time by hand.

#include <cstdint>

#include "toolkit/base/Handles.h"

class IClock {
public:
  virtual ~IClock() = default;
  virtual uint64_t Milliseconds() const = 0;
  // Blocks the thread for that long.
  virtual void Wait(uint64_t milliseconds) = 0;
};

// Time that moves only when told to; waiting on it moves it at once.
class TFakeClock : public IClock {
public:
  uint64_t Milliseconds() const override { return now_; }
  void Wait(uint64_t milliseconds) override { Advance(milliseconds); }
  void Advance(uint64_t milliseconds) { now_ += milliseconds; }

private:
  uint64_t now_ = 1000;
};

// Installs a clock (nullptr: the steady system clock); the caller keeps ownership.
void SetClock(IClock* clock);
const IClock& Clock();
DWORD GetTickCount();
// Waits on the installed clock: a fake clock only advances.
void Sleep(DWORD milliseconds);
