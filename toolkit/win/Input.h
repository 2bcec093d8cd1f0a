#pragma once
// Desktop input as the window core receives it. The backend (or a test)
// reports raw mouse and keyboard events in screen coordinates; the core
// finds the window they belong to and sends the platform's messages:
// WM_NCHITTEST and WM_SETCURSOR, then client (WM_LBUTTONDOWN ...) or
// non-client (WM_NCLBUTTONDOWN ...) mouse messages, WM_MOUSEWHEEL to the
// window under the mouse, WM_KEYDOWN / WM_CHAR / WM_KEYUP (WM_SYS* with Alt)
// to the focus window. WM_CHAR carries one Unicode code point.

#include <string>

#include "toolkit/base/Handles.h"
#include "toolkit/base/Rect.h"
#include "toolkit/win/Messages.h"

enum class TInputButton { Left, Right, Middle };

struct TInputModifiers {
  bool Shift = false;
  bool Control = false;
  bool Alt = false;
};

void InjectMouseMove(TPoint screenPoint, TInputModifiers modifiers);
// DoubleClick: the second press of a double click (WM_*DBLCLK for windows of
// CS_DBLCLKS classes and on the non-client area, a plain press otherwise).
void InjectMouseButton(TPoint screenPoint, TInputButton button, bool down, bool doubleClick, TInputModifiers modifiers);
// Delta: multiples of WHEEL_DELTA (120) per notch, positive away from the user.
void InjectMouseWheel(TPoint screenPoint, int delta, bool horizontal, TInputModifiers modifiers);
// The mouse left every window of the application.
void InjectMouseLeave();
// Characters: what the key types (UTF-32), each sent as WM_CHAR after WM_KEYDOWN.
// Each key message goes through the key preview first.
void InjectKey(WORD virtualKey, bool down, bool autoRepeat, const std::u32string& characters,
               TInputModifiers modifiers);
// What the key of the WM_KEYDOWN (WM_SYSKEYDOWN) being handled types, as the
// keyboard layout translates it; empty outside such a message and for key
// messages that did not come from the input layer.
const std::u32string& KeyDownCharacters();

// The application's look at each key message (WM_KEYDOWN ... WM_SYSCHAR,
// Hwnd the focus window) before the window gets it; answering true takes
// the message, and a taken key-down takes the characters it types as well.
using TKeyPreview = bool (*)(const MSG& message);
void SetKeyPreview(TKeyPreview preview);

// Asks for WM_MOUSELEAVE when the mouse leaves the window.
constexpr DWORD TME_HOVER = 0x01;
constexpr DWORD TME_LEAVE = 0x02;
constexpr DWORD TME_CANCEL = 0x80000000;
struct TRACKMOUSEEVENT {
  DWORD cbSize = sizeof(TRACKMOUSEEVENT);
  DWORD dwFlags = 0;
  HWND hwndTrack = nullptr;
  DWORD dwHoverTime = 0;
};
bool TrackMouseEvent(TRACKMOUSEEVENT& track);

// The mouse position last reported.
bool GetCursorPos(TPoint& point);

// Pixels the mouse may move with a button held before the press counts as a drag.
constexpr int MouseDragThreshold = 5;

// Forgets the focus, capture and active window, the mouse's window and
// position, a mouse tracker and the keys held down (ResetToolkitState).
void ResetInputState();
