#pragma once
// Shared pieces of the window core tests: a window class whose procedure
// records the messages it gets, a fake clock, and a loop that runs until the
// queue is empty.

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "toolkit/win/Clock.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Window.h"

struct TRecordedMessage {
  HWND Window;
  UINT Message;
  WPARAM WParam;
  LPARAM LParam;
};

// Every message reaching a window of the recording class, in order. A test
// may put a handler in front of DefWindowProc for some messages.
class TMessageLog {
public:
  static TMessageLog& Current() {
    static TMessageLog log;
    return log;
  }

  std::vector<TRecordedMessage> Messages;
  std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT&)> Handler;

  std::vector<UINT> Of(HWND window) const {
    std::vector<UINT> result;
    for (const auto& m : Messages)
      if (m.Window == window) result.push_back(m.Message);
    return result;
  }
  std::vector<TRecordedMessage> Only(UINT message) const {
    std::vector<TRecordedMessage> result;
    std::copy_if(Messages.begin(), Messages.end(), std::back_inserter(result),
                 [message](const TRecordedMessage& m) { return m.Message == message; });
    return result;
  }
  size_t Count(UINT message) const { return Only(message).size(); }
};

inline LRESULT RecordingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto& log = TMessageLog::Current();
  log.Messages.push_back({window, message, wParam, lParam});
  LRESULT result = 0;
  if (log.Handler && log.Handler(window, message, wParam, lParam, result)) return result;
  return DefWindowProc(window, message, wParam, lParam);
}

inline constexpr const char* RecordingClass = "RecordingWindow";

// Registers the recording class, installs a fake clock and cleans up every
// window the test left behind.
class WindowTest : public ::testing::Test {
protected:
  WindowTest() {
    WNDCLASS windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = &RecordingWindowProc;
    windowClass.lpszClassName = RecordingClass;
    RegisterClass(windowClass);
    SetClock(&clock);
    TMessageLog::Current() = {};
  }
  ~WindowTest() override {
    for (HWND window : created) DestroyWindow(window);
    MSG message;
    while (PeekMessage(message, nullptr, 0, 0, PM_REMOVE)) {
    }
    TMessageLog::Current() = {};
    SetClock(nullptr);
  }

  HWND Create(DWORD style, TRect bounds, HWND parent = nullptr, DWORD exStyle = 0) {
    const HWND window = CreateWindowEx(exStyle, RecordingClass, "", style, bounds.Left, bounds.Top, bounds.Width(),
                                       bounds.Height(), parent, nullptr, nullptr);
    if (!parent) created.push_back(window);
    return window;
  }

  // Dispatches until nothing is waiting.
  static void Pump() {
    MSG message;
    while (PeekMessage(message, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(message);
  }

  TFakeClock clock;
  std::vector<HWND> created;
};
