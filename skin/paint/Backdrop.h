#pragma once
// Asking what lies behind a control (sub-command 34) and turning the
// answer into a backdrop, and filling parts of a device context with a colour.

#include "toolkit/base/Handles.h"
#include "toolkit/base/Rect.h"
#include "toolkit/gdi/Color.h"

class TControl;
class TDeviceContext;
using HDC = TDeviceContext*;
struct TBackdropQuery;
struct TBackdropRef;

// Asks control for its background. True when it answered; otherwise the
// query holds a plain colour (Kind 1): the control's answer to
// sub-command 21, or its own Color when that is 0, and with drawNow (and a
// Bmp) Rect of DC is filled with it.
bool AskBackdrop(TBackdropQuery& query, TControl* control, bool drawNow);
// The same for a window without a control; its fallback colour is the button face.
bool AskWindowBackdrop(TBackdropQuery& query, HWND window, bool drawNow);

// An image answer is a ready backdrop at the answer's offset; any other
// answer a backdrop that is not ready, of the answer's colour as RGB.
TBackdropRef QueryToBackdropRef(const TBackdropQuery& query);

void FillDeviceRect(HDC dc, const TRect& rect, TColor color);
// The four bands of a frame inside rect, widths left, top, right, bottom:
// top and left full length, bottom and right between them.
void FillDeviceFrame(HDC dc, const TRect& rect, int wl, int wt, int wr, int wb, TColor color);
