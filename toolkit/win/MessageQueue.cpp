#include "toolkit/win/MessageQueue.h"

#include <condition_variable>
#include <cstdio>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "toolkit/win/Clock.h"
#include "toolkit/win/RegisteredNames.h"
#include "toolkit/win/Timers.h"
#include "toolkit/win/WindowRecord.h"

namespace {

// A message sent from another thread; the sender waits until Done.
struct TSentMessage {
  HWND Window;
  UINT Message;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result = 0;
  bool Done = false;
};

struct TThreadQueue {
  std::mutex Lock;
  std::condition_variable Arrived;
  std::condition_variable Replied;
  std::deque<MSG> Posted;
  std::deque<TSentMessage*> Sent;
  bool QuitPosted = false;
  int QuitCode = 0;
};

TThreadQueue& QueueOf(std::thread::id thread) {
  static std::mutex lock;
  static std::map<std::thread::id, std::unique_ptr<TThreadQueue>> queues;
  std::lock_guard guard(lock);
  auto& queue = queues[thread];
  if (!queue) queue = std::make_unique<TThreadQueue>();
  return *queue;
}

TThreadQueue& OwnQueue() { return QueueOf(std::this_thread::get_id()); }

void Notify(TThreadQueue& queue) {
  queue.Arrived.notify_all();
  if (IWindowBackend* backend = WindowBackend()) backend->Wake();
}

bool InRange(UINT message, UINT first, UINT last) {
  return (first == 0 && last == 0) || (message >= first && message <= last);
}

TPoint CurrentPos;
DWORD CurrentTime = 0;
TExceptionHandler ExceptionHandler;

LRESULT CallGuarded(const TSentMessage& sent) {
  try {
    return CallWindowProcedure(sent.Window, sent.Message, sent.WParam, sent.LParam);
  } catch (...) {
    HandleEscapedException(std::current_exception());
    return 0;
  }
}

// Runs the messages other threads sent to this one and wakes their senders.
void ProcessSentMessages() {
  TThreadQueue& queue = OwnQueue();
  for (;;) {
    TSentMessage* sent;
    {
      std::lock_guard guard(queue.Lock);
      if (queue.Sent.empty()) return;
      sent = queue.Sent.front();
      queue.Sent.pop_front();
    }
    const LRESULT result = CallGuarded(*sent);
    std::lock_guard guard(queue.Lock);
    sent->Result = result;
    sent->Done = true;
    queue.Replied.notify_all();
  }
}

LRESULT SendToOtherThread(std::thread::id thread, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TThreadQueue& queue = QueueOf(thread);
  TSentMessage sent{window, message, wParam, lParam};
  {
    std::lock_guard guard(queue.Lock);
    queue.Sent.push_back(&sent);
  }
  Notify(queue);
  std::unique_lock lock(queue.Lock);
  queue.Replied.wait(lock, [&sent] { return sent.Done; });
  return sent.Result;
}

bool TakePosted(TThreadQueue& queue, MSG& message, HWND window, UINT first, UINT last, bool remove) {
  std::lock_guard guard(queue.Lock);
  for (auto it = queue.Posted.begin(); it != queue.Posted.end(); ++it)
    if ((!window || it->hwnd == window) && InRange(it->message, first, last)) {
      message = *it;
      if (remove) queue.Posted.erase(it);
      return true;
    }
  if (queue.QuitPosted && !window && InRange(WM_QUIT, first, last)) {
    message = {nullptr, WM_QUIT, static_cast<WPARAM>(queue.QuitCode), 0, GetTickCount(), CurrentPos};
    if (remove) queue.QuitPosted = false;
    return true;
  }
  return false;
}

}  // namespace

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const TWindowRecord* record = FindWindowRecord(window);
  if (!record) return 0;
  if (record->Thread != std::this_thread::get_id())
    return SendToOtherThread(record->Thread, window, message, wParam, lParam);
  return CallWindowProcedure(window, message, wParam, lParam);
}

bool PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  std::thread::id thread = std::this_thread::get_id();
  if (window) {
    const TWindowRecord* record = FindWindowRecord(window);
    if (!record) return false;
    thread = record->Thread;
  }
  TThreadQueue& queue = QueueOf(thread);
  {
    std::lock_guard guard(queue.Lock);
    queue.Posted.push_back({window, message, wParam, lParam, GetTickCount(), CurrentPos});
  }
  Notify(queue);
  return true;
}

void PostQuitMessage(int exitCode) {
  TThreadQueue& queue = OwnQueue();
  {
    std::lock_guard guard(queue.Lock);
    queue.QuitPosted = true;
    queue.QuitCode = exitCode;
  }
  Notify(queue);
}

bool PeekMessage(MSG& message, HWND window, UINT first, UINT last, UINT remove) {
  ProcessSentMessages();
  const bool removing = (remove & PM_REMOVE) != 0;
  if (TakePosted(OwnQueue(), message, window, first, last, removing) ||
      (InRange(WM_PAINT, first, last) && FindWindowToPaint(message, window)) ||
      (InRange(WM_TIMER, first, last) && TakeDueTimer(message, window, removing))) {
    // Painting and timers are not input: they leave the message position alone.
    if (removing && message.message != WM_PAINT && message.message != WM_TIMER)
      SetCurrentMessageInfo(message.pt, message.time);
    return true;
  }
  return false;
}

bool GetMessage(MSG& message, HWND window, UINT first, UINT last) {
  while (!PeekMessage(message, window, first, last, PM_REMOVE)) WaitMessage();
  return message.message != WM_QUIT;
}

LRESULT DispatchMessage(const MSG& message) {
  if (message.message == WM_TIMER && message.lParam) {
    reinterpret_cast<TIMERPROC>(message.lParam)(message.hwnd, WM_TIMER, message.wParam, message.time);
    return 0;
  }
  return SendMessage(message.hwnd, message.message, message.wParam, message.lParam);
}

bool HasPendingMessages() {
  TThreadQueue& queue = OwnQueue();
  {
    std::lock_guard guard(queue.Lock);
    if (!queue.Posted.empty() || !queue.Sent.empty() || queue.QuitPosted) return true;
  }
  MSG ignored;
  if (FindWindowToPaint(ignored, nullptr)) return true;
  const auto toTimer = MillisecondsToNextTimer();
  return toTimer && *toTimer == 0;
}

void WaitMessage() {
  if (HasPendingMessages()) return;
  const auto toTimer = MillisecondsToNextTimer();
  const int timeout = toTimer ? static_cast<int>(*toTimer) : -1;
  if (IWindowBackend* backend = WindowBackend()) {
    backend->ProcessEvents(true, timeout);
    return;
  }
  TThreadQueue& queue = OwnQueue();
  std::unique_lock lock(queue.Lock);
  const auto arrived = [&queue] { return !queue.Posted.empty() || !queue.Sent.empty() || queue.QuitPosted; };
  if (timeout < 0)
    queue.Arrived.wait(lock, arrived);
  else
    queue.Arrived.wait_for(lock, std::chrono::milliseconds(timeout), arrived);
}

UINT RegisterWindowMessage(const std::string& name) { return RegisterName(name); }

DWORD GetMessagePos() {
  return MAKELONG(static_cast<WORD>(CurrentPos.X), static_cast<WORD>(CurrentPos.Y));
}

DWORD GetMessageTime() { return CurrentTime; }

void SetCurrentMessageInfo(TPoint screenPoint, DWORD time) {
  CurrentPos = screenPoint;
  CurrentTime = time;
}

void SetExceptionHandler(TExceptionHandler handler) { ExceptionHandler = std::move(handler); }

void HandleEscapedException(std::exception_ptr exception) {
  if (ExceptionHandler) {
    ExceptionHandler(exception);
    return;
  }
  try {
    std::rethrow_exception(exception);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
  } catch (...) {
    std::fprintf(stderr, "unknown exception in a window handler\n");
  }
}
