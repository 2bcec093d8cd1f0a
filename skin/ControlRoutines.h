#pragma once
// Routines every skinnable control shares: sending the skin command to a
// control or a window, passing it down a tree of controls, asking for
// colours, whether a control may paint now, painting graphic children over
// their background, snapshots of a control tree and a form's fade-in.

#include "toolkit/base/Rect.h"
#include "toolkit/controls/Control.h"
#include "toolkit/gdi/Color.h"
#include "toolkit/win/Messages.h"

class TBitmap;
class TDeviceContext;
using HDC = TDeviceContext*;
class TForm;
class TFrame;
class TOutputWindow;
class TWinControl;

// A form is fading in; the skinned painters paint through their caches meanwhile.
extern bool AnimationRunning;
// While a form fades in: the device context of the form's snapshot being
// painted, the screen under the form, and the overlay showing the fade.
extern HDC CaptureDC;
extern TBitmap* ScreenSnapshot;
extern TOutputWindow* OverlayWindow;

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
// Sends the message to every direct child window.
void BroadcastToChildWindows(HWND window, const TMessage& message);
// Tells every shown windowed child that its painting may resume (sub-command 6).
void RepaintChildren(TWinControl* parent);
// The same for every child window of the window with the WS_CHILD style.
void RepaintChildWindows(HWND window);
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

// The first form (frame) up the component's chain of owners; null when none.
TForm* OwnerForm(TComponent* component);
TFrame* OwnerFrame(TComponent* component);
// The DrawText flags of an alignment, vertically centred with tabs expanded.
unsigned AlignmentTextFlags(const TControl& control, TAlignment alignment);
// The summed heights (alTop, alBottom) or widths (alLeft, alRight) of the
// visible children with that alignment; graphic children only withGraphic.
int AlignedChildrenSize(TWinControl* parent, TAlign align, bool withGraphic);
void ReadCursorPos(TPoint& point);
void ReadWorkArea(TRect& rect);
// Paints the parent's visible graphic children into dc, moved by offset,
// over the parent's background: each is painted off screen over what lies
// behind it and copied unless its top-left pixel stays magenta. An empty
// clip box only tells the parent it was partly painted (sub-command 22).
void PaintGraphicChildren(HDC dc, TWinControl* parent, TPoint offset);
// A snapshot of the control and its windowed descendants into bmp.
void PaintControlTree(TBitmap& bmp, TControl* control);
// Fades from the screen under the form to the form over time milliseconds
// (steps of 8 ms) in an overlay window; 7 or less shows the form at once.
void AnimateFormShow(TWinControl* form, int time);
