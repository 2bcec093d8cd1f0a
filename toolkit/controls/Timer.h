#pragma once
// A timer component: calls OnTimer every Interval milliseconds while it is
// enabled and has an OnTimer, through a hidden window of its own.

#include "toolkit/controls/Component.h"
#include "toolkit/win/Messages.h"

class TTimer : public TComponent {
public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  UINT Interval() const { return interval_; }
  void SetInterval(UINT interval);
  void SetOnTimer(TNotifyEvent onTimer);

private:
  void UpdateTimer();
  void WndProc(TMessage& message);

  HWND window_ = nullptr;
  bool enabled_ = true;
  UINT interval_ = 1000;
  TNotifyEvent onTimer_;
};
