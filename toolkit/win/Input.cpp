#include "toolkit/win/Input.h"

#include <memory>
#include <utility>

#include "toolkit/win/Clock.h"
#include "toolkit/win/Hook.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/WindowRecord.h"

namespace {

HWND Focus = nullptr;
HWND Capture = nullptr;
HWND Active = nullptr;
HWND MouseWindow = nullptr;  // the window the mouse was over last
HWND LeaveWatch = nullptr;   // the window that asked for WM_MOUSELEAVE
TPoint LastMousePos;
std::unique_ptr<IMouseTracker> Tracker;
TKeyPreview KeyPreview = nullptr;
// The characters of the key-down message being sent.
std::u32string CurrentKeyCharacters;

void ApplyModifiers(TInputModifiers modifiers) {
  SetKeyDown(VK_SHIFT, modifiers.Shift);
  SetKeyDown(VK_CONTROL, modifiers.Control);
  SetKeyDown(VK_MENU, modifiers.Alt);
}

bool KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

WPARAM MouseKeyFlags() {
  WPARAM flags = 0;
  if (KeyDown(VK_LBUTTON)) flags |= MK_LBUTTON;
  if (KeyDown(VK_RBUTTON)) flags |= MK_RBUTTON;
  if (KeyDown(VK_MBUTTON)) flags |= MK_MBUTTON;
  if (KeyDown(VK_SHIFT)) flags |= MK_SHIFT;
  if (KeyDown(VK_CONTROL)) flags |= MK_CONTROL;
  return flags;
}

LPARAM PointParam(TPoint point) { return MAKELPARAM(point.X, point.Y); }

void MouseEnters(HWND window) {
  if (window == MouseWindow) return;
  const HWND left = MouseWindow;
  MouseWindow = window;
  if (LeaveWatch && LeaveWatch == left) {
    LeaveWatch = nullptr;
    SendMessage(left, WM_MOUSELEAVE, 0, 0);
  }
}

bool AcceptsMouse(HWND window) { return IsWindowEnabled(GetAncestor(window, GA_ROOT)) || window == Capture; }

// The window the mouse is over and the hit-test code of the point in it.
struct TMouseTarget {
  HWND Window = nullptr;
  LRESULT Hit = HTNOWHERE;
};

TMouseTarget FindMouseTarget(TPoint screenPoint, UINT message) {
  const HWND window = Capture ? Capture : WindowFromPoint(screenPoint);
  MouseEnters(window);
  if (!window || !AcceptsMouse(window)) return {};
  if (Capture) return {window, HTCLIENT};
  const LRESULT hit = SendMessage(window, WM_NCHITTEST, 0, PointParam(screenPoint));
  if (!IsWindow(window)) return {};
  SendMessage(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(static_cast<int>(hit), static_cast<int>(message)));
  return {window, hit};
}

// Message is the client message (WM_MOUSEMOVE ... WM_MBUTTONDBLCLK); over
// the non-client area its WM_NC* twin is sent instead.
void DeliverMouse(UINT message, TPoint screenPoint) {
  LastMousePos = screenPoint;
  SetCurrentMessageInfo(screenPoint, GetTickCount());
  if (MenuLoopTakesMouse(message, screenPoint)) return;
  const TMouseTarget target = FindMouseTarget(screenPoint, message);
  if (!target.Window || target.Hit == HTERROR || target.Hit == HTTRANSPARENT) return;
  if (target.Hit == HTCLIENT) {
    TPoint client = screenPoint;
    ScreenToClient(target.Window, client);
    SendMessage(target.Window, message, MouseKeyFlags(), PointParam(client));
  } else {
    SendMessage(target.Window, message - WM_MOUSEMOVE + WM_NCMOUSEMOVE, static_cast<WPARAM>(target.Hit),
                PointParam(screenPoint));
  }
}

UINT ButtonMessage(TInputButton button, bool down, bool doubleClick) {
  const UINT base = button == TInputButton::Left ? WM_LBUTTONDOWN : button == TInputButton::Right ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
  if (!down) return base + 1;
  return doubleClick ? base + 2 : base;
}

int ButtonKey(TInputButton button) {
  return button == TInputButton::Left ? VK_LBUTTON : button == TInputButton::Right ? VK_RBUTTON : VK_MBUTTON;
}

// A double click reaches the client area only of windows that ask for it.
bool WantsDoubleClicks(TPoint screenPoint) {
  const HWND window = Capture ? Capture : WindowFromPoint(screenPoint);
  const TWindowRecord* record = FindWindowRecord(window);
  if (!record) return false;
  if (Capture) return (record->Class->Definition.style & CS_DBLCLKS) != 0;
  const LRESULT hit = SendMessage(window, WM_NCHITTEST, 0, PointParam(screenPoint));
  return hit != HTCLIENT || (record->Class->Definition.style & CS_DBLCLKS);
}

LPARAM KeyParam(bool down, bool autoRepeat, bool alt) {
  LPARAM param = 1;
  if (alt) param |= LPARAM(1) << 29;
  if (autoRepeat || !down) param |= LPARAM(1) << 30;
  if (!down) param |= LPARAM(1) << 31;
  return param;
}

HWND ActivateRoot(HWND window, bool fromDesktop) {
  const HWND root = window ? GetAncestor(window, GA_ROOT) : nullptr;
  if (root == Active) return Active;
  CBTACTIVATESTRUCT hookData{false, Active};
  if (root && CallCbtHooks(HCBT_ACTIVATE, reinterpret_cast<WPARAM>(root), reinterpret_cast<LPARAM>(&hookData)) != 0)
    return nullptr;
  const HWND old = Active;
  if (Focus && (Focus == old || IsChild(old, Focus))) SetFocus(nullptr);
  Active = root;
  if (IsWindow(old)) {
    SendMessage(old, WM_NCACTIVATE, false, 0);
    SendMessage(old, WM_ACTIVATE, WA_INACTIVE, HandleToParam(root));
  }
  if (root) {
    BringTopLevelToFront(root, !fromDesktop);
    SendMessage(root, WM_NCACTIVATE, true, 0);
    SendMessage(root, WM_ACTIVATE, WA_ACTIVE, HandleToParam(old));
    if (const TWindowRecord* record = FindWindowRecord(root); record && record->Host && !fromDesktop)
      record->Host->Activate();
  }
  return old;
}

// Sends a key message unless the key preview takes it; true when sent.
bool SendKeyMessage(HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG queued;
  queued.hwnd = target;
  queued.message = message;
  queued.wParam = wParam;
  queued.lParam = lParam;
  queued.time = GetTickCount();
  queued.pt = LastMousePos;
  if (KeyPreview && KeyPreview(queued)) return false;
  if (IsWindow(target)) SendMessage(target, message, wParam, lParam);
  return true;
}

void SetHostGrab(HWND window, bool grab) {
  if (const TWindowRecord* root = FindWindowRecord(GetAncestor(window, GA_ROOT)); root && root->Host)
    root->Host->SetMouseGrab(grab);
}

}  // namespace

HWND SetFocus(HWND window) {
  if (window && !IsWindow(window)) return nullptr;
  if (window == Focus) return Focus;
  if (window && CallCbtHooks(HCBT_SETFOCUS, reinterpret_cast<WPARAM>(window), HandleToParam(Focus)) != 0)
    return nullptr;
  if (window && GetAncestor(window, GA_ROOT) != Active) ActivateRoot(window, false);
  const HWND old = Focus;
  Focus = window;
  if (IsWindow(old)) SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
  if (window && Focus == window) SendMessage(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  return old;
}

HWND GetFocus() { return Focus; }

HWND SetCapture(HWND window) {
  const HWND old = Capture;
  if (old == window || !IsWindow(window)) return old;
  Capture = window;
  if (IsWindow(old)) SendMessage(old, WM_CAPTURECHANGED, 0, HandleToParam(window));
  SetHostGrab(window, true);
  return old;
}

bool ReleaseCapture() {
  const HWND old = Capture;
  if (!old) return true;
  Capture = nullptr;
  SetHostGrab(old, false);
  SendMessage(old, WM_CAPTURECHANGED, 0, 0);
  return true;
}

HWND GetCapture() { return Capture; }

HWND SetActiveWindow(HWND window) { return ActivateRoot(window, false); }

HWND GetActiveWindow() { return Active; }

void DesktopActivated(HWND window) { ActivateRoot(window, true); }

void ForgetInputWindow(HWND window) {
  if (Focus == window) Focus = nullptr;
  if (Capture == window) Capture = nullptr;
  if (Active == window) Active = nullptr;
  if (MouseWindow == window) MouseWindow = nullptr;
  if (LeaveWatch == window) LeaveWatch = nullptr;
}

void BeginMouseTracking(std::unique_ptr<IMouseTracker> tracker) {
  if (Tracker) Tracker->Cancel();
  Tracker = std::move(tracker);
}

void EndMouseTracking() { Tracker.reset(); }

void ResetInputState() {
  Tracker.reset();
  Focus = nullptr;
  Capture = nullptr;
  Active = nullptr;
  MouseWindow = nullptr;
  LeaveWatch = nullptr;
  LastMousePos = {};
  ResetKeyboardState();
}

void CancelMouseTracking() {
  if (Tracker) Tracker->Cancel();
}

void InjectMouseMove(TPoint screenPoint, TInputModifiers modifiers) {
  ApplyModifiers(modifiers);
  LastMousePos = screenPoint;
  if (Tracker) {
    SetCurrentMessageInfo(screenPoint, GetTickCount());
    Tracker->MouseMove(screenPoint);
    return;
  }
  DeliverMouse(WM_MOUSEMOVE, screenPoint);
}

void InjectMouseButton(TPoint screenPoint, TInputButton button, bool down, bool doubleClick, TInputModifiers modifiers) {
  ApplyModifiers(modifiers);
  SetKeyDown(ButtonKey(button), down);
  if (Tracker) {
    SetCurrentMessageInfo(screenPoint, GetTickCount());
    if (button == TInputButton::Left && !down) {
      Tracker->ButtonUp(screenPoint);
      return;
    }
    Tracker->Cancel();
  }
  DeliverMouse(ButtonMessage(button, down, doubleClick && WantsDoubleClicks(screenPoint)), screenPoint);
}

void InjectMouseWheel(TPoint screenPoint, int delta, bool horizontal, TInputModifiers modifiers) {
  ApplyModifiers(modifiers);
  LastMousePos = screenPoint;
  SetCurrentMessageInfo(screenPoint, GetTickCount());
  HWND target = Capture ? Capture : WindowFromPoint(screenPoint);
  if (!target) target = Focus;
  if (!target || !AcceptsMouse(target)) return;
  SendMessage(target, horizontal ? WM_MOUSEHWHEEL : WM_MOUSEWHEEL,
              MAKEWPARAM(static_cast<int>(MouseKeyFlags()), delta), PointParam(screenPoint));
}

void InjectMouseLeave() { MouseEnters(nullptr); }

void InjectKey(WORD virtualKey, bool down, bool autoRepeat, const std::u32string& characters,
               TInputModifiers modifiers) {
  ApplyModifiers(modifiers);
  SetKeyDown(virtualKey, down);
  if (MenuLoopTakesKey(virtualKey, down, characters)) return;
  const HWND target = Focus ? Focus : Active;
  if (!target) return;
  const bool system = (modifiers.Alt && !modifiers.Control) || virtualKey == VK_F10;
  const LPARAM param = KeyParam(down, autoRepeat, modifiers.Alt);
  SetCurrentMessageInfo(LastMousePos, GetTickCount());
  const UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  // A key message sent while another is handled has its own characters.
  const std::u32string outer = std::exchange(CurrentKeyCharacters, down ? characters : std::u32string());
  const bool sent = SendKeyMessage(target, message, virtualKey, param);
  CurrentKeyCharacters = outer;
  if (!sent || !down) return;
  for (char32_t character : characters) SendKeyMessage(target, system ? WM_SYSCHAR : WM_CHAR, character, param);
}

void SetKeyPreview(TKeyPreview preview) { KeyPreview = preview; }

const std::u32string& KeyDownCharacters() { return CurrentKeyCharacters; }

bool TrackMouseEvent(TRACKMOUSEEVENT& track) {
  if (track.dwFlags & TME_CANCEL) {
    if (LeaveWatch == track.hwndTrack) LeaveWatch = nullptr;
    return true;
  }
  if (!(track.dwFlags & TME_LEAVE) || !IsWindow(track.hwndTrack)) return false;
  if (MouseWindow != track.hwndTrack)
    PostMessage(track.hwndTrack, WM_MOUSELEAVE, 0, 0);
  else
    LeaveWatch = track.hwndTrack;
  return true;
}

bool GetCursorPos(TPoint& point) {
  point = LastMousePos;
  return true;
}
