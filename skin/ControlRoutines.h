#pragma once
// Routines every skinnable control shares: sending the skin command to a
// control or a window, passing it down a tree of controls, asking for
// colours, and whether a control may paint now.

#include "toolkit/base/Rect.h"
#include "toolkit/gdi/Color.h"
#include "toolkit/win/Messages.h"

class TControl;
class TWinControl;

// A form is fading in; the skinned painters paint through their caches meanwhile.
extern bool AnimationRunning;

// The desktop's switch of a window's visual style. Null on this platform,
// which has no theme library: callers then leave visual styles alone.
using TSetWindowThemeProc = long (*)(HWND window, const char* subAppName, const char* subIdList);
extern TSetWindowThemeProc SetWindowThemeProc;

LRESULT SendSkinCommand(HWND window, WORD subCommand, LPARAM lParam);
// A windowed control being destroyed or without a handle hears nothing (answer 0);
// a windowless one is told through Perform.
LRESULT SendSkinCommandTo(TControl* control, WORD subCommand, LPARAM lParam);
LRESULT AskControl(TControl* control, WORD subCommand);
// Whether the window answers the sub-command with exactly 1.
bool WindowAnswersOne(HWND window, WORD subCommand);
// Passes the message to every child control: skinnable windowed ones get it
// sent to their windows, other windowed ones pass it on to their own
// children. The walk ends at the first child being destroyed.
void BroadcastToChildren(TWinControl* parent, TMessage& message);
// Tells every shown windowed child that its painting may resume (sub-command 6).
void RepaintChildren(TWinControl* parent);
// Asks the control's form to adapt it (sub-command 25).
void AnnounceToParentForm(TControl* control);
// The colour a control shows, as RGB: a skinnable control's answer to
// sub-command 21, else its Color; 0xFF00FF for no control.
TColor ParentColorOf(TControl* control);
// The window's answer to sub-command 21 as RGB; 0xFF00FF for no window.
TColor WindowColorOf(HWND window);
// Whether the control may paint: it exists, has a parent and (when
// windowed) a handle, and is not being created, read, loaded or destroyed.
bool ControlCanPaint(const TControl* control);
// The window's client rectangle in window coordinates.
void ClientRectInWindow(HWND window, TRect& rect);
