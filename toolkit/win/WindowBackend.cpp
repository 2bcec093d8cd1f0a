#include "toolkit/win/WindowBackend.h"

#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/WindowRecord.h"

namespace {

IWindowBackend* Backend = nullptr;

}  // namespace

void SetWindowBackend(IWindowBackend* backend) { Backend = backend; }

IWindowBackend* WindowBackend() { return Backend; }

LRESULT NativeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (const TWindowRecord* record = FindWindowRecord(window);
      record && record->Host && record->Host->NativeMessage(message, wParam, lParam, result))
    return result;
  return DefWindowProc(window, message, wParam, lParam);
}

void DesktopMovedWindow(HWND window, const TRect& bounds) {
  const TWindowRecord* record = FindWindowRecord(window);
  if (!record || record->IsChild() || record->Bounds == bounds) return;
  try {
    SetWindowPos(window, nullptr, bounds.Left, bounds.Top, bounds.Width(), bounds.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  } catch (...) {
    HandleEscapedException(std::current_exception());
  }
}

void DesktopMinimized(HWND window, bool minimized) {
  TWindowRecord* record = FindWindowRecord(window);
  if (record && !record->IsChild()) record->Minimized = minimized;
}

void DesktopCloseRequest(HWND window) {
  try {
    SendMessage(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  } catch (...) {
    HandleEscapedException(std::current_exception());
  }
}

void DesktopPaint(HWND window) {
  try {
    UpdateWindow(window);
  } catch (...) {
    HandleEscapedException(std::current_exception());
  }
}
