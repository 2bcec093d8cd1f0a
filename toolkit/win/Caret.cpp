#include "toolkit/win/Caret.h"

#include "toolkit/win/SysMetrics.h"
#include "toolkit/win/Timers.h"
#include "toolkit/win/WindowRecord.h"

namespace {

struct TCaret {
  HWND Window = nullptr;
  TRect Rect;  // client coordinates
  int HideCount = 1;
  bool BlinkOn = true;
  UINT_PTR Timer = 0;
};

TCaret Caret;

bool Shows() { return Caret.Window && Caret.HideCount == 0 && Caret.BlinkOn && IsWindow(Caret.Window); }

void Present() {
  TWindowRecord* record = FindWindowRecord(Caret.Window);
  if (!record || !record->Host) return;
  TRect rect = Caret.Rect;
  OffsetRect(rect, record->Client.Left, record->Client.Top);
  record->Host->Present(rect);
}

void Blink(HWND, UINT, UINT_PTR, DWORD) {
  if (!IsWindow(Caret.Window)) {
    DestroyCaret();
    return;
  }
  Caret.BlinkOn = !Caret.BlinkOn;
  Present();
}

// A caret that moves or appears shows at once and blinks from there.
void RestartBlink() {
  if (Caret.Timer) KillTimer(nullptr, Caret.Timer);
  Caret.BlinkOn = true;
  Caret.Timer = Caret.HideCount == 0 ? SetTimer(nullptr, 0, GetCaretBlinkTime(), &Blink) : 0;
}

}  // namespace

bool CreateCaret(HWND window, HBITMAP, int width, int height) {
  if (!IsWindow(window)) return false;
  DestroyCaret();
  Caret.Window = window;
  Caret.Rect = Bounds(0, 0, width > 0 ? width : GetSystemMetrics(SM_CXBORDER),
                      height > 0 ? height : GetSystemMetrics(SM_CYBORDER));
  Caret.HideCount = 1;
  return true;
}

bool DestroyCaret() {
  if (!Caret.Window) return false;
  if (Caret.Timer) KillTimer(nullptr, Caret.Timer);
  Present();
  Caret = {};
  return true;
}

bool HideCaret(HWND window) {
  if (!Caret.Window || (window && window != Caret.Window)) return false;
  if (Caret.HideCount++ == 0) {
    RestartBlink();
    Present();
  }
  return true;
}

bool ShowCaret(HWND window) {
  if (!Caret.Window || (window && window != Caret.Window) || Caret.HideCount == 0) return false;
  if (--Caret.HideCount == 0) {
    RestartBlink();
    Present();
  }
  return true;
}

bool SetCaretPos(int x, int y) {
  if (!Caret.Window) return false;
  Present();
  OffsetRect(Caret.Rect, x - Caret.Rect.Left, y - Caret.Rect.Top);
  RestartBlink();
  Present();
  return true;
}

bool GetCaretPos(TPoint& point) {
  if (!Caret.Window) return false;
  point = Caret.Rect.TopLeft();
  return true;
}

void ForgetCaretWindow(HWND window) {
  if (window == Caret.Window) DestroyCaret();
}

bool VisibleCaretRect(HWND window, TRect& rect) {
  if (window != Caret.Window || !Shows()) return false;
  const TWindowRecord* record = FindWindowRecord(window);
  rect = Caret.Rect;
  OffsetRect(rect, record->Client.Left, record->Client.Top);
  return IntersectRect(rect, rect, record->Client);
}
