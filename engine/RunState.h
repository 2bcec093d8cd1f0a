#pragma once
// The start of every run, and the window messages a running script lets
// through. The windows and the scripts share one thread: a running script
// keeps the windows alive by processing their pending messages now and
// then, which is how an abort request reaches it.

#include <functional>

#include "engine/RunFlags.h"
#include "runtime/Exceptions.h"

// Clears the run flags (BreakFlag, ContinueFlag, ExitFlag, AbortFlag,
// NoUIFlag) and the last error, before every compilation and run.
void ResetRunState();

// The engine's process-wide state as the process started it: the run
// state above, the integer text format, the listing in progress and the
// pump's clock gate (the next pump is due at once). Engines and message
// sinks are made and set by their owners.
void ResetEngineState();

// An event a host fires while no run is in progress is a run of its own:
// the run flags reset and the engine's running flag set for its length,
// on every path. Fired during a run it is part of that run.
void SetRunningFlag(bool* running);
void RunAsEvent(const std::function<void()>& body);

// Processes the window layer's pending messages; none is set while headless.
using TMessagePump = std::function<void()>;
void SetMessagePump(TMessagePump pump);

// The inline gate's parts: whether a pump is set, and the clock-gated run.
extern bool MessagePumpSet;
void PumpMessagesWhenDue();

// Runs the pump, unless NoUIFlag is set or it ran less than a few
// milliseconds ago: statements call this before each step, and the gate
// keeps their cost to one coarse clock read (and to two flag tests inline
// while no pump is set).
inline void ProcessMessages() {
  if (MessagePumpSet && !NoUIFlag) PumpMessagesWhenDue();
}

// Long built-ins call this between pieces of work of about a millisecond,
// so that an abort request reaches them as it reaches a script's loop:
// messages are let through, and EAborted is thrown once an abort is
// pending (the call then fails as an aborted run does).
inline void CheckAbort() {
  ProcessMessages();
  if (AbortFlag) throw EAborted();
}

// For loops whose single steps are too small to check each: CheckAbort
// once Steps units of work were counted by Step.
class TAbortCountdown {
public:
  explicit TAbortCountdown(long steps) : steps_(steps), left_(steps) {}

  void Step(long work = 1) {
    if ((left_ -= work) > 0) return;
    left_ = steps_;
    CheckAbort();
  }

private:
  long steps_;
  long left_;
};
