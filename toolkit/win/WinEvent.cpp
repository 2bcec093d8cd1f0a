#include "toolkit/win/WinEvent.h"

#include <utility>

namespace {

TWinEventObserver& Observer() {
  static TWinEventObserver observer;
  return observer;
}

TWinEventObserver& Bridge() {
  static TWinEventObserver bridge;
  return bridge;
}

}  // namespace

void NotifyWinEvent(DWORD event, HWND window, LONG objectId, LONG childId) {
  if (Observer()) Observer()(event, window, objectId, childId);
  if (Bridge()) Bridge()(event, window, objectId, childId);
}

TWinEventObserver SetWinEventObserver(TWinEventObserver observer) {
  return std::exchange(Observer(), std::move(observer));
}

TWinEventObserver SetWinEventBridge(TWinEventObserver bridge) { return std::exchange(Bridge(), std::move(bridge)); }
