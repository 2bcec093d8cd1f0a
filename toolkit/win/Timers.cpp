#include "toolkit/win/Timers.h"

#include <algorithm>
#include <thread>
#include <vector>

#include "toolkit/win/Clock.h"
#include "toolkit/win/Messages.h"
#include "toolkit/win/WindowRecord.h"

namespace {

struct TTimer {
  HWND Window;
  UINT_PTR Id;
  UINT Interval;
  uint64_t Due;
  TIMERPROC Procedure;
  std::thread::id Thread;
};

std::vector<TTimer>& Timers() {
  static std::vector<TTimer> timers;
  return timers;
}

UINT_PTR NextThreadTimerId = 0x7FFF0000;

std::vector<TTimer>::iterator FindTimer(HWND window, UINT_PTR id) {
  return std::find_if(Timers().begin(), Timers().end(),
                      [&](const TTimer& timer) { return timer.Window == window && timer.Id == id; });
}

void RescheduleWake() {
  if (IWindowBackend* backend = WindowBackend())
    if (const auto wait = MillisecondsToNextTimer()) backend->ScheduleWake(static_cast<int>(*wait));
}

}  // namespace

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT interval, TIMERPROC procedure) {
  if (window && !IsWindow(window)) return 0;
  if (!window) id = NextThreadTimerId++;
  interval = std::max(interval, USER_TIMER_MINIMUM);
  const TTimer timer{window, id, interval, Clock().Milliseconds() + interval, procedure, std::this_thread::get_id()};
  if (auto existing = FindTimer(window, id); existing != Timers().end())
    *existing = timer;
  else
    Timers().push_back(timer);
  RescheduleWake();
  return window ? 1 : id;
}

bool KillTimer(HWND window, UINT_PTR id) {
  const auto found = FindTimer(window, id);
  if (found == Timers().end()) return false;
  Timers().erase(found);
  return true;
}

void KillWindowTimers(HWND window) {
  auto& timers = Timers();
  timers.erase(std::remove_if(timers.begin(), timers.end(), [window](const TTimer& t) { return t.Window == window; }),
               timers.end());
}

std::optional<uint64_t> MillisecondsToNextTimer() {
  std::optional<uint64_t> next;
  const uint64_t now = Clock().Milliseconds();
  for (const TTimer& timer : Timers())
    if (timer.Thread == std::this_thread::get_id()) {
      const uint64_t wait = timer.Due > now ? timer.Due - now : 0;
      next = next ? std::min(*next, wait) : wait;
    }
  return next;
}

bool TakeDueTimer(MSG& message, HWND filter, bool remove) {
  const uint64_t now = Clock().Milliseconds();
  for (TTimer& timer : Timers())
    if (timer.Thread == std::this_thread::get_id() && timer.Due <= now && (!filter || timer.Window == filter)) {
      message = {timer.Window, WM_TIMER, timer.Id, reinterpret_cast<LPARAM>(timer.Procedure),
                 static_cast<DWORD>(now), {}};
      if (remove) {
        timer.Due = now + timer.Interval;
        RescheduleWake();
      }
      return true;
    }
  return false;
}
