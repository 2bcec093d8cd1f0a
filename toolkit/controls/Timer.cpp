#include "toolkit/controls/Timer.h"

#include "toolkit/controls/Application.h"
#include "toolkit/win/Timers.h"
#include "toolkit/win/Window.h"

namespace {

constexpr UINT_PTR TimerId = 1;

}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  window_ = AllocateHWnd([this](TMessage& message) { WndProc(message); });
}

TTimer::~TTimer() {
  enabled_ = false;
  UpdateTimer();
  DeallocateHWnd(window_);
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  UpdateTimer();
}

void TTimer::SetInterval(UINT interval) {
  if (interval == interval_) return;
  interval_ = interval;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent onTimer) {
  onTimer_ = std::move(onTimer);
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  KillTimer(window_, TimerId);
  if (enabled_ && interval_ != 0 && onTimer_) SetTimer(window_, TimerId, interval_, nullptr);
}

void TTimer::WndProc(TMessage& message) {
  if (message.Msg != WM_TIMER) {
    message.Result = DefWindowProc(window_, message.Msg, message.WParam, message.LParam);
    return;
  }
  try {
    if (onTimer_) onTimer_(this);
  } catch (...) {
    Application().HandleException(std::current_exception());
  }
}
