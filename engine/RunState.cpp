#include "engine/RunState.h"

#include <time.h>

#include <cstdint>

#include "engine/MessageChannel.h"
#include "engine/RunFlags.h"
#include "engine/Value.h"
#include "engine/VarText.h"

namespace {

constexpr std::int64_t PumpIntervalNs = 2'000'000;

TMessagePump Pump;
std::int64_t LastPumpNs = 0;

// The kernel's coarse clock costs a few nanoseconds and ticks every few
// milliseconds, which is all the gate needs.
std::int64_t CoarseNowNs() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
  return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

}  // namespace

namespace {

bool* RunningFlag = nullptr;

}  // namespace

void SetRunningFlag(bool* running) { RunningFlag = running; }

void RunAsEvent(const std::function<void()>& body) {
  if (!RunningFlag || *RunningFlag) {
    body();
    return;
  }
  struct TRunning {
    explicit TRunning(bool& flag) : Flag(flag) { Flag = true; }
    ~TRunning() { Flag = false; }
    bool& Flag;
  } running(*RunningFlag);
  ResetRunState();
  body();
}

void ResetRunState() {
  BreakFlag = false;
  ContinueFlag = false;
  ExitFlag = false;
  AbortFlag = false;
  NoUIFlag = false;
  ClearLastError();
}

void ResetEngineState() {
  ResetRunState();
  IntegerFormat = ifDecimal;
  ListLevel = 0;
  ListLabel.clear();
  ListKind = lkOutput;
  LastPumpNs = 0;
}

bool MessagePumpSet = false;

void SetMessagePump(TMessagePump pump) {
  Pump = std::move(pump);
  MessagePumpSet = static_cast<bool>(Pump);
}

void PumpMessagesWhenDue() {
  std::int64_t now = CoarseNowNs();
  if (now - LastPumpNs < PumpIntervalNs) return;
  LastPumpNs = now;
  Pump();
}
